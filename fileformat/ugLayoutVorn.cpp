#include "fileformat/ugLayoutVorn.h"

#include "app/ugConfiguracao.h"

#include <stdexcept>

namespace gdvorn {

namespace {

using O = OrigemCampo;

ItemLayout F(int slot, const char *descricao, int inicio, int tamanho, const char *campo, const char *padrao = "")
{
    return {slot, QString::fromUtf8(descricao), inicio, tamanho, O::Campo, QString::fromLatin1(campo),
            QString::fromLatin1(padrao)};
}

ItemLayout S(int slot, const char *descricao, int inicio, int tamanho, OrigemCampo origem, const char *valor = "")
{
    return {slot, QString::fromUtf8(descricao), inicio, tamanho, origem, QString::fromLatin1(valor), QString()};
}

// The stretches without descriptor.
ItemLayout Livre(int inicio, int tamanho, OrigemCampo origem = O::Brancos, const char *valor = "")
{
    return {0, QString(), inicio, tamanho, origem, QString::fromLatin1(valor), QString()};
}

// Positions 1-23, common to every record type.
QList<ItemLayout> prefixo(const char *inscricao, const char *prefixo, const char *tipo)
{
    return {S(1, "Sequencial", 1, 6, O::Sequencial), S(2, inscricao, 7, 14, O::Inscricao),
            S(3, prefixo, 21, 2, O::Prefixo), S(4, "Tipo", 23, 1, O::Constante, tipo)};
}

QList<ItemLayout> tipoZero()
{
    QList<ItemLayout> l = prefixo("CGC/CEI/CNPJ", "Prefixo", "0");
    l << S(5, "InReciboDefinitivo", 24, 1, O::Constante, "1")
      << F(6, "CGC/CEI/CNPJResp", 25, 14, "CoCgcCeiResponsavel")
      << F(7, "TipoInscricao", 39, 1, "InInscrResponsavel")
      << F(8, "Nome/Firma/Razão Social", 40, 40, "NoResponsavelArquivo")
      << F(9, "Endereco do Responsavel", 80, 40, "EdLogradouroRespArquivo")
      << F(10, "Numero", 120, 6, "NuLogradouroRespArquivo")
      << F(11, "Complemento", 126, 21, "TxComplementoRespArquivo")
      << F(12, "Bairro", 147, 19, "NoBairroRespArquivo")
      << F(13, "CEP", 166, 8, "CoCepRespArquivo")
      << F(14, "Codigo do Municipio", 174, 7, "CoMunicipioRespArquivo")
      << F(15, "Nome do Municipio", 181, 30, "NoMunicipioRespArquivo")
      << F(16, "UF", 211, 2, "SgUfRespArquivo")
      << F(17, "DDDTelefone", 213, 2, "NuFoneDDD")
      << F(18, "NuTelefone", 215, 8, "NuFoneAssinante")
      << S(19, "Indicador de Retificação", 223, 1, O::IndicadorRetificacao)
      << S(20, "Data de Retificação", 224, 8, O::DataRetificacao)
      << S(21, "Data de geracao do arquivo", 232, 8, O::DataGeracao)
      << F(22, "e-mail do responsavel", 240, 45, "TxEMailRespArquivo")
      << F(23, "Nome do responsavel", 285, 52, "NoResponsavelDeclaracao")
      << Livre(337, 20)
      << Livre(357, 4, O::Constante, "0550")
      << F(24, "CPF do responsavel", 361, 11, "CoCpfResponsavel")
      << S(25, "Retifica o CREA", 372, 12, O::Crea)
      << F(26, "Data de Nascimento do Responsavel", 384, 8, "DaNascimentoRespArquivo")
      << Livre(392, 5, O::MarcaVersao)
      << Livre(397, 2, O::MarcaModo)
      << Livre(399, 152);
    return l;
}

QList<ItemLayout> tipoUm()
{
    QList<ItemLayout> l = prefixo("CNPJ/CEI", "Prefixo", "1");
    l << F(5, "Nome/Firma/Razão Social", 24, 52, "NoRazaoEstabelecimento")
      << F(6, "Endereco", 76, 40, "EdEstabelecimento")
      << F(7, "Numero", 116, 6, "NuEnderecoEstabelecimento")
      << F(8, "Complemento", 122, 21, "TxComplemEstabelecimento")
      << F(9, "Bairro", 143, 19, "NoBairroEstabelecimento")
      << F(10, "CEP", 162, 8, "CoCepEstabelecimento")
      << F(11, "Código do Município", 170, 7, "CoMunicipio")
      << F(12, "Nome do Municipio", 177, 30, "NoMunicEstabelecimento")
      << F(13, "Sigla da UF", 207, 2, "SgUf")
      << F(14, "DDD do Telefone", 209, 2, "NuDDD")
      << F(15, "Número do Telefone", 211, 8, "NuTelefone")
      << F(40, "E-mail do Estabelecimento", 219, 45, "TxEmailEstabelecimento")
      << F(16, "CNAE", 264, 7, "CoCnae2")
      << F(17, "Natureza Jurídica", 271, 4, "CoNaturezaJuridica")
      << F(18, "Número de Proprietarios", 275, 2, "NuProprietEstabelecimento")
      << F(19, "Data Base", 277, 2, "MeDataBase")
      << F(20, "Tipo de inscrição do estabelecimento", 279, 1, "InInscrEstabelecimento")
      << F(21, "Tipo de VORN", 280, 1, "InVornNegEstabelecimento")
      << Livre(281, 2, O::VinculadoInicio, "CoCgcVinculado")
      << S(22, "Matrícula CEI vinculada a uma inscrição CNPJ", 283, 12, O::VinculadoFim, "CoCgcVinculado")
      << S(23, "", 295, 4, O::AnoBase)
      << F(39, "Porte da Empresa", 299, 1, "InPorte")
      << F(27, "Optante pelo Simples", 300, 1, "InOptanteSimples")
      << F(24, "PAT", 301, 1, "InParticipaPAT")
      << F(29, "Vinculos do PAT até 5 salarios minimos", 302, 6, "NuVinculoPATMenor5", "000000")
      << F(30, "Vinculos do PAT acima de 5 salarios minimos", 308, 6, "NuVinculoPATMaior5", "000000")
      << F(31, "% Empregados serviço próprio", 314, 3, "PoServicoProprio", "000")
      << F(32, "% Empregados Administração Cozinha", 317, 3, "PoAdmCozinha", "000")
      << F(33, "% Empregados Refeição Convenio", 320, 3, "PoRefeicaoConvenio", "000")
      << F(34, "% Empregados Refeição Transportadora", 323, 3, "PoRefeicaoTransportadora", "000")
      << F(35, "% Empregados Cesta Alimento", 326, 3, "PoCestaAlimento", "000")
      << F(36, "% Empregados Alimentação Convenio", 329, 3, "PoAlimentacaoConvenio", "000")
      << S(37, "Indicador Encerramento Atividade", 332, 1, O::IndicadorEncerramento, "InEncerramentoAtividade")
      << F(38, "Data Encerramento Atividade", 333, 8, "DaEncerramentoAtividade", "00000000")
      << F(41, "CNPJ da entidade sindical patronal beneficiada pela contribuição associativa", 341, 14,
           "CoCNPJAssociativa", "00000000000000")
      << F(42, "Valor global acumulado e repassado como contribuição associativa", 355, 9, "VaGlobalAssociativa",
           "000000000")
      << F(43, "CNPJ da entidade sindical patronal beneficiada pela contribuição sindical", 364, 14,
           "CoCNPJSindical", "00000000000000")
      << F(44, "Valor global acumulado e repassado como contribuição sindical", 378, 9, "VaGlobalSindical",
           "000000000")
      << F(45,
           "CNPJ da entidade sindical patronal beneficiada pelas contribuições da negociação coletiva "
           "(assistencial)",
           387, 14, "CoCNPJAssistencial", "00000000000000")
      << F(46,
           "Valor global acumulado e repassado como contribuição prevista na negociação coletiva (assistencial)",
           401, 9, "VaGlobalAssistencial", "000000000")
      << F(47,
           "CNPJ da entidade sindical patronal beneficiada pelas contribuições da negociação coletiva "
           "(confederativa)",
           410, 14, "CoCNPJConfederativa", "00000000000000")
      << F(48,
           "Valor global acumulado e repassado como contribuição prevista na negociação coletiva "
           "(confederativa)",
           424, 9, "VaGlobalConfederativa", "000000000")
      << F(49, "Esteve em Atividade no ano base", 433, 1, "InAtividadeAnoBase")
      << F(52, "Indicador Centralizada", 434, 1, "InCentralizada", "2")
      << F(50, "CNPJ Centralizadora", 435, 14, "CoCNPJCentralizada", "00000000000000")
      << F(51, "Indicador Sindicalizada", 449, 1, "InSindicalizada", "2")
      << Livre(450, 89)
      << F(28, "Reservado para informação de uso exclusivo da empresa", 539, 12, "TxUsoEstabelecimento");
    return l;
}

QList<ItemLayout> tipoDois()
{
    QList<ItemLayout> l = prefixo("Inscricao", "Prefixo", "2");
    l << F(5, "Código PIS/PASEP", 24, 11, "CoPisPasepEmpregado")
      << F(6, "Nome do Empregado", 35, 52, "NoEmpregado")
      << F(7, "Data de Nascimento(ddmmaaaa)", 87, 8, "DaNascimentoEmpregado")
      << F(8, "Nacionalidade", 95, 2, "CoNacionalidade")
      << F(9, "Ano de chegada no país (aaaa)", 97, 4, "AnChegadaEmpregado")
      << F(10, "Grau de instrução", 101, 2, "CoInstrucao")
      << F(11, "CPF", 103, 11, "CoCpfEmpregado")
      << F(12, "Carteira de Trabalho(numero)", 114, 8, "NuCartTrabEmpregado")
      << F(13, "Carteira de Trabalho(serie)", 122, 5, "SeCartTrabEmpregado", "00000")
      << F(14, "Data de Admissão/Data de Transferência(ddmmaaaa)", 127, 8, "DaAdmissaoEmpregado")
      << F(15, "Tipo de Admissão", 135, 1, "CoTipoAdmissao")
      << F(16, "Salário Contratual(valor com centavos)", 136, 9, "VaSalContratualEmpregado")
      << F(17, "Tipo de Salário Contratual", 145, 1, "CoTipoSalarioContratual")
      << F(18, "Horas semanais", 146, 2, "HoSemanaisEmpregado")
      << F(19, "CBO", 148, 6, "CoCbo")
      << F(20, "Vínculo", 154, 2, "CoVinculo")
      << F(21, "Código de desligamento", 156, 2, "CoCausaDesligamento")
      << F(22, "Data do desligamento(ddmm)", 158, 4, "DaDesligamentoEmpregado");
    static const char *const meses[12][2] = {
        {"JANEIRO", "Janeiro"}, {"FEVEREIRO", "Fevereiro"}, {"MARÇO", "Marco"},   {"ABRIL", "Abril"},
        {"MAIO", "Maio"},       {"JUNHO", "Junho"},         {"JULHO", "Julho"},   {"AGOSTO", "Agosto"},
        {"SETEMBRO", "Setembro"}, {"OUTUBRO", "Outubro"},   {"NOVEMBRO", "Novembro"}, {"DEZEMBRO", "Dezembro"}};
    for (int m = 0; m < 12; ++m)
        l << ItemLayout{23 + m,
                        QStringLiteral("Remuneracao %1(valor com centavos)").arg(QString::fromUtf8(meses[m][0])),
                        162 + 9 * m,
                        9,
                        O::Campo,
                        QStringLiteral("Va%1Empregado").arg(QLatin1String(meses[m][1])),
                        QString()};
    l << F(35, "Remuneracao 13o ADIANTAMENTO(valor com centavos)", 270, 9, "Va13AdiantamentoEmpregado")
      << F(36, "Mês de pagamento 13o ADIANTAMENTO", 279, 2, "Me13AdiantamentoEmpregado")
      << F(37, "Remuneracao 13o FINAL(valor com centavos)", 281, 9, "Va13ParcelaFinalEmpregado")
      << F(38, "Mês de pagamento 13o FINAL", 290, 2, "Me13ParcelaFinalEmpregado")
      << F(39, "Raça/Cor", 292, 1, "CoTipoRaca", "9")
      << F(40, "Indicador Deficiente físico", 293, 1, "InDeficienteFisico")
      << F(87, "Código de deficiência", 294, 1, "CoDeficienteFisico", "0")
      << F(43, "Alvara", 295, 1, "InAlvaraEmpregado")
      << F(42, "Aviso Previo Indenizado", 296, 9, "VaAvisoPrevioEmpregado")
      << F(44, "Sexo", 305, 1, "InSexo")
      << F(45, "Motivo Primeiro Afastamento", 306, 2, "CoMotivoPrimAfas")
      << F(46, "Data Inicio Primeiro Afastamento", 308, 4, "DaInicioPrimeiroAfas")
      << F(47, "Data Final Primeiro Afastamento", 312, 4, "DaFinalPrimeiroAfas")
      << F(48, "Motivo Segundo Afastamento", 316, 2, "CoMotivoSeguAfas")
      << F(49, "Data Inicio Segundo Afastamento", 318, 4, "DaInicioSegundoAfas")
      << F(50, "Data Final Segundo Afastamento", 322, 4, "DaFinalSegundoAfas")
      << F(51, "Motivo Terceiro Afastamento", 326, 2, "CoMotivoTercAfas")
      << F(52, "Data Inicio Terceiro Afastamento", 328, 4, "DaInicioTerceiroAfas")
      << F(53, "Data Final Terceiro Afastamento", 332, 4, "DaFinalTerceiroAfas")
      << F(54, "Quant Dias Afastamento", 336, 3, "QtDiasAfas")
      << F(55, "Valores  férias indenizadas.", 339, 8, "VaGlobalFerias")
      << F(56, "Valor banco de horass.", 347, 8, "VaGlobalBcoHoras")
      << F(57, "Quantitativo de competências(meses) banco de horas.", 355, 2, "QtCompBcoHoras")
      << F(58, "Valor do dissidio coletivo.", 357, 8, "VaGlobalDissidio")
      << F(59, "Quantitativo de competências(meses) do dissídio coletivo).", 365, 2, "QtCompDissidio")
      << F(60, "Valores de outras gratificações.", 367, 8, "VaGlobalGratificacoes")
      << F(61, "Quantitativo de competências(meses) outras.", 375, 2, "QtCompGratificacoes")
      << F(62, "Valores da multa por rescisão de contrato de trabalho sem justa causa.", 377, 8, "VaGlobalMultas")
      << F(63,
           "CNPJ da primeira entidade sindical de empregados beneficiada com a contribuição associativa.", 385,
           14, "CoCNPJPrimAssociativa", "00000000000000")
      << F(64, "Valor global acumulado no ano-base e repassado a título de contribuição associativa.", 399, 8,
           "VaGlobalPrimAssociativa")
      << F(65,
           "CNPJ da segunda entidade sindical de empregados beneficiado com a contribuição associativa.", 407,
           14, "CoCNPJSegAssociativa", "00000000000000")
      << F(66, "Valor global acumulado no ano-base e repassado a título de contribuição associativa.", 421, 8,
           "VaGlobalSegAssociativa", "00000000")
      << F(67, "CNPJ da entidade sindical de empregados beneficiado com a contribuição sindical.", 429, 14,
           "CoCNPJSindical", "00000000000000")
      << F(68, "Valor global acumulado no ano-base e repassado a título de contribuição sindical.", 443, 8,
           "VaGlobalSindical")
      << F(69,
           "CNPJ da entidade sindical de empregados beneficiada com a contribuição da negociação "
           "coletiva(assistencial).",
           451, 14, "CoCNPJAssistencial", "00000000000000")
      << F(70,
           "Valor global acumulado no ano-base e repassado a título de contribuição coletiva(assistencial).",
           465, 8, "VaGlobalAssistencial")
      << F(71,
           "CNPJ da entidade sindical de empregados beneficiada com a contribuição coletiva(confederativa).",
           473, 14, "CoCNPJConfederativa", "00000000000000")
      << F(72,
           "Valor global acumulado no ano-base e repassado a título de contribuição da negociação "
           "coletiva(confederativa).",
           487, 8, "VaGlobalConfederativa")
      << F(73, "Código do município onde o empregado esteja trabalhando ou prestando serviço", 495, 7,
           "CoMunicipioTrabalho", "0000000")
      << F(74, "Horas extras Janeiro", 502, 3, "HoTrabalhadasJaneiro", "000");
    static const char *const horas[11][2] = {
        {"Fevereiro", "Fevereiro"}, {"Março", "Marco"},     {"Abril", "Abril"},       {"Maio", "Maio"},
        {"Junho", "Junho"},         {"Julho", "Julho"},     {"Agosto", "Agosto"},     {"Setembro", "Setembro"},
        {"Outubro", "Outubro"},     {"Novembro", "Novembro"}, {"Dezembro", "Dezembro"}};
    for (int m = 0; m < 11; ++m)
        l << ItemLayout{75 + m,
                        QStringLiteral("Horas trabalhadas %1").arg(QString::fromUtf8(horas[m][0])),
                        505 + 3 * m,
                        3,
                        O::Campo,
                        QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(horas[m][1])),
                        QStringLiteral("000")};
    l << F(86, "Indicador Sindicalizada", 538, 1, "InSindicalizadoVinculo")
      << F(41, "Reservado para informação de uso exclusivo da empresa", 539, 12, "TxUsoEmpregado");
    return l;
}

QList<ItemLayout> tipoNove()
{
    QList<ItemLayout> l = prefixo("Inscricao CNPJ/CEI do último", "Prefixo do último", "9");
    l << S(5, "Total de registros do tipo 1", 24, 6, O::TotalTipoUm)
      << S(6, "Total de registros do tipo 2", 30, 6, O::TotalTipoDois)
      << S(8, "Estatística", 36, 2, O::Estatistica)
      << F(9, "Pesquisa", 38, 22, "NuRespostaPesquisa")
      << Livre(60, 459)
      << S(10, "Hashcode", 519, 32, O::Hash);
    return l;
}

template <int N>
void preenche(TArquivoVornTipo<N> &d, int tipo, const QString &ano)
{
    for (int k = 1; k <= N; ++k)
        d.Campos(k) = TArquivo();
    for (const ItemLayout &item : LayoutRegistro(tipo)) {
        if (item.Slot == 0)
            continue;
        TArquivo &c = d.Campos(item.Slot);
        c.Descricao = item.Origem == O::AnoBase ? ano : item.Descricao;
        c.Inicio = item.Inicio;
        c.Tamanho = item.Tamanho;
    }
}

void preencheConjunto(TArquivoVornTipoZero &zero, TArquivoVornTipoUm &um, TArquivoVornTipoDois &dois,
                      TArquivoVornTipoNove &nove, int ano)
{
    const QString texto = QString::number(ano);
    preenche(zero, 0, texto);
    preenche(um, 1, texto);
    preenche(dois, 2, texto);
    preenche(nove, 9, texto);
}

} // namespace

const QList<ItemLayout> &LayoutRegistro(int tipo)
{
    static const QList<ItemLayout> zero = tipoZero();
    static const QList<ItemLayout> um = tipoUm();
    static const QList<ItemLayout> dois = tipoDois();
    static const QList<ItemLayout> nove = tipoNove();
    switch (tipo) {
    case 0: return zero;
    case 1: return um;
    case 2: return dois;
    case 9: return nove;
    default: throw std::invalid_argument("record type without layout");
    }
}

int QuantidadeCampos(int tipo)
{
    switch (tipo) {
    case 0: return TArquivoVornTipoZero::Quantidade;
    case 1: return TArquivoVornTipoUm::Quantidade;
    case 2: return TArquivoVornTipoDois::Quantidade;
    case 9: return TArquivoVornTipoNove::Quantidade;
    default: throw std::invalid_argument("record type without layout");
    }
}

void PreencheLayoutAtual(TArquivoVornTipoZero &zero, TArquivoVornTipoUm &um, TArquivoVornTipoDois &dois,
                         TArquivoVornTipoNove &nove)
{
    preencheConjunto(zero, um, dois, nove, Configuracao().AnoBase);
}

void PreencheLayoutAnterior(TArquivoVornTipoZero &zero, TArquivoVornTipoUm &um, TArquivoVornTipoDois &dois,
                            TArquivoVornTipoNove &nove)
{
    preencheConjunto(zero, um, dois, nove, Configuracao().AnoBase - 1);
}

void PreencheLayoutAtual(TDescritoresVorn &d) { PreencheLayoutAtual(d.TipoZero, d.TipoUm, d.TipoDois, d.TipoNove); }

void PreencheLayoutAnterior(TDescritoresVorn &d)
{
    PreencheLayoutAnterior(d.TipoZero, d.TipoUm, d.TipoDois, d.TipoNove);
}

} // namespace gdvorn
