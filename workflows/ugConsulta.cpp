#include "workflows/ugConsulta.h"

#include "app/base/Database.h"
#include "app/base/Schema.h"
#include "app/base/Statement.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "entry/ugOperacoesVinculos.h"

namespace gdvorn {

namespace {

bool Vazio(const QString &s) { return s.trimmed().isEmpty() || SoZeros(s.trimmed()); }

QString Mascara(const QString &s, std::initializer_list<std::pair<int, const char *>> partes)
{
    QString r;
    int de = 0;
    for (const auto &[ate, separador] : partes) {
        r += s.mid(de, ate - de) + QLatin1String(separador);
        de = ate;
    }
    return r + s.mid(de);
}

QString Descrito(Table &t, const QString &codigo, const QString &descricao)
{
    return CodigoDescrito(t, codigo, codigo, descricao);
}

QString MesEValor(const QString &mes)
{
    return Vazio(mes) ? QString() : mes.trimmed() + QStringLiteral(" - ") + NomeMes(mes);
}

const char *const kMeses[12] = {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho",
                                "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};

} // namespace

QString CodigoDescrito(Table &tabela, const QString &busca, const QString &mostrado, const QString &descricao,
                       const QString &separador)
{
    if (!tabela.Active())
        tabela.Open();
    if (tabela.FindKey({busca}))
        return mostrado + separador + tabela.FieldByName(descricao).AsString();
    return mostrado;
}

QString Data8(const QString &s) { return FormataData(s); }

QString Data4(const QString &s) { return Vazio(s) ? QString() : s.mid(0, 2) + QLatin1Char('/') + s.mid(2, 2); }

QString Dinheiro9(const QString &s) { return FormataValor9(s.trimmed().isEmpty() ? QStringLiteral("000000000") : s); }

QString Dinheiro8(const QString &s) { return FormataValor8(s.trimmed().isEmpty() ? QStringLiteral("00000000") : s); }

QString Cnpj(const QString &s) { return Vazio(s) ? QString() : FormataInscricao(s, QStringLiteral("1")); }

QString Telefone(const QString &ddd, const QString &numero)
{
    QString t;
    if (!Vazio(ddd))
        t = QLatin1Char('(') + RetiraZerosEsquerda(ddd.trimmed()) + QLatin1Char(')');
    if (!Vazio(numero))
        t = t.trimmed() + FormataTelefone(numero.trimmed());
    return t;
}

TextosConsulta MostraEstabelecimento(const LinhaConsulta &l, TdmGDVorn &dm, int anoBase)
{
    TextosConsulta t;
    const QString proximo = QString::number(anoBase + 1);
    t[QStringLiteral("paInfo")] = l(QStringLiteral("DaEncerramentoAtividade")).mid(4, 4) == proximo
                                      ? QStringLiteral("Antecipação Ano-Base ") + proximo
                                      : QStringLiteral("Declaração Ano-Base ") + QString::number(anoBase);
    const bool comEmpregados = l(QStringLiteral("InVornNegEstabelecimento")) == QLatin1String("0");
    t[QStringLiteral("paVorn")] = comEmpregados ? QStringLiteral("VORN com Empregados") : QStringLiteral("VORN sem Empregados");
    t[QStringLiteral("bbEmpregados")] = comEmpregados ? QStringLiteral("1") : QStringLiteral("0");
    const QString porte = l(QStringLiteral("InPorte"));
    QString tipo = porte == QLatin1String("1")   ? QStringLiteral("Microempresa")
                   : porte == QLatin1String("2") ? QStringLiteral("Pequeno Porte")
                   : porte == QLatin1String("3") ? QStringLiteral("Outros")
                                                 : QStringLiteral(" ");
    if (l(QStringLiteral("InOptanteSimples")) == QLatin1String("1"))
        tipo += QStringLiteral(" e Opta pelo Simples");
    t[QStringLiteral("paTipoEmpresa")] = tipo;
    t[QStringLiteral("paEncerrou")] = l(QStringLiteral("InEncerramentoAtividade")) == QLatin1String("1")
                                          ? QStringLiteral("Encerrou as Atividades: ") + Data8(l(QStringLiteral("DaEncerramentoAtividade")))
                                          : QStringLiteral(" ");
    t[QStringLiteral("paPAT")] = l(QStringLiteral("InParticipaPAT")) == QLatin1String("1") ? QStringLiteral("Participa do PAT")
                                                                                            : QStringLiteral("Não Participa do PAT");
    const QString inscr = l(QStringLiteral("InInscrEstabelecimento"));
    const QString cgc = l(QStringLiteral("CoCgcCeiEstabelecimento"));
    t[QStringLiteral("edInscricao")] =
        QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}.contains(inscr) ? FormataInscricao(cgc, inscr) : cgc;
    const QString vinculado = l(QStringLiteral("CoCgcVinculado"));
    t[QStringLiteral("edCGCVinculado")] = Vazio(vinculado) ? QString() : FormataInscricao(vinculado, QStringLiteral("3"));
    for (const auto &[controle, campo] :
         {std::pair{"edPrefixo", "NuPrefixoEstabelecimento"}, {"edUsoEmpresa", "TxUsoEstabelecimento"},
          {"edRazao", "NoRazaoEstabelecimento"}, {"edVinculoMaior5", "NuVinculoPatMaior5"},
          {"edVinculoMenor5", "NuVinculoPatMenor5"}, {"edServicoProprio", "PoServicoProprio"},
          {"edAdministracaoCozinha", "PoAdmCozinha"}, {"edRefeicaoConvenio", "PoRefeicaoConvenio"},
          {"edRefeicaoTransportadora", "PoRefeicaoTransportadora"}, {"edCestaAlimento", "PoCestaAlimento"},
          {"edAlimentacaoConvenio", "PoAlimentacaoConvenio"}, {"edLogradouro", "EdEstabelecimento"},
          {"edComplemento", "TxComplemEstabelecimento"}, {"edBairro", "NoBairroEstabelecimento"},
          {"edNomeMunicipio", "NoMunicEstabelecimento"}, {"edUF", "SgUf"}, {"edDataBase", "MeDataBase"},
          {"deEmail", "TxEmailEstabelecimento"}})
        t[QLatin1String(controle)] = l(QLatin1String(campo));
    t[QStringLiteral("edTotalVinculos")] =
        comEmpregados ? RetiraZerosEsquerda(l(QStringLiteral("NuVinculosEstabelecimento"))) : QString();
    t[QStringLiteral("edTelefone")] = Telefone(l(QStringLiteral("NuDDD")), l(QStringLiteral("NuTelefone")));
    const QString numero = l(QStringLiteral("NuEnderecoEstabelecimento"));
    t[QStringLiteral("edNumero")] = Vazio(numero) ? QString() : RetiraZerosEsquerda(numero);
    t[QStringLiteral("edCEP")] = Mascara(l(QStringLiteral("CoCepEstabelecimento")), {{5, "-"}});
    t[QStringLiteral("edCodMunicipio")] = Mascara(l(QStringLiteral("CoMunicipio")), {{2, "-"}});
    const QString cnae = l(QStringLiteral("CoCnae2")).trimmed();
    t[QStringLiteral("edCNAE")] = CodigoDescrito(dm.taCNAE, cnae, Mascara(cnae, {{4, "-"}, {6, "/"}}),
                                                 QStringLiteral("NoCnae"), QStringLiteral("- "));
    const QString natju = l(QStringLiteral("CoNaturezaJuridica")).trimmed();
    t[QStringLiteral("edNatJuridica")] = CodigoDescrito(dm.taNatJu, natju, Mascara(natju, {{3, "-"}}),
                                                        QStringLiteral("NoNaturezaJuridica"), QStringLiteral("- "));
    t[QStringLiteral("edNumeroProp")] = RetiraZerosEsquerda(l(QStringLiteral("NuProprietEstabelecimento")));
    for (const char *sufixo : {"Sindical", "Associativa", "Assistencial", "Confederativa", "Centralizada"})
        t[QStringLiteral("edCNPJ%1E").arg(QLatin1String(sufixo))] = Cnpj(l(QStringLiteral("CoCNPJ%1").arg(QLatin1String(sufixo))));
    for (const auto &[controle, campo] : {std::pair{"edValorSindicalE", "VaGlobalSindical"},
                                          {"edValorPrimAssociativaE", "VaGlobalAssociativa"},
                                          {"edValorAssistencialE", "VaGlobalAssistencial"},
                                          {"edValorConfederativaE", "VaGlobalConfederativa"}}) {
        QString v = FormataValorCentavos(l(QLatin1String(campo)));
        if (v.trimmed().isEmpty())
            v = QStringLiteral("000000000");
        t[QLatin1String(controle)] = FormataValorGrande(v);
    }
    t[QStringLiteral("rbCentralizadaSim")] = l(QStringLiteral("InCentralizada")) == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
    t[QStringLiteral("rbSindicalizadaSim")] = l(QStringLiteral("InSindicalizada")) == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
    return t;
}

TextosConsulta MostraEmpregado(const LinhaConsulta &l, TdmGDVorn &dm)
{
    TextosConsulta t;
    t[QStringLiteral("edPISPASEP")] = FormataPisPasep(l(QStringLiteral("CoPisPasepEmpregado")));
    t[QStringLiteral("edNomeEmpregado")] = l(QStringLiteral("NoEmpregado"));
    t[QStringLiteral("edDataNascimento")] = Data8(l(QStringLiteral("DaNascimentoEmpregado")));
    t[QStringLiteral("ednacionalidade")] = Descrito(dm.taNacionalidade, l(QStringLiteral("CoNacionalidade")), QStringLiteral("NoNacionalidade"));
    const QString chegada = l(QStringLiteral("AnChegadaEmpregado"));
    t[QStringLiteral("edAnoChegada")] = Vazio(chegada) ? QString() : chegada;
    t[QStringLiteral("edGrauInstrucao")] = Descrito(dm.taInstrucao, l(QStringLiteral("CoInstrucao")), QStringLiteral("NoInstrucao"));
    t[QStringLiteral("edTipoRaca")] = Descrito(dm.taRaca, l(QStringLiteral("CoTipoRaca")), QStringLiteral("NoRaca"));
    QString defi = l(QStringLiteral("CoDeficienteFisico"));
    if (defi == QLatin1String("0"))
        defi = QStringLiteral("0 -  Não é deficiente");
    t[QStringLiteral("edDeficienteFisico")] = Descrito(dm.taDeficiente, defi, QStringLiteral("NoTipoDeficiencia"));
    bool numero = false;
    const int sexo = l(QStringLiteral("InSexo")).trimmed().toInt(&numero);
    t[QStringLiteral("edSexo")] = !numero ? QStringLiteral(" ") : sexo == 1 ? QStringLiteral("M") : sexo == 2 ? QStringLiteral("F") : QStringLiteral(" ");
    const QString cpf = l(QStringLiteral("CoCpfEmpregado"));
    t[QStringLiteral("edCPF")] = Vazio(cpf) ? QString() : Mascara(cpf, {{3, "."}, {6, "."}, {9, "-"}});
    t[QStringLiteral("edCarteiraTrab")] = l(QStringLiteral("NuCartTrabEmpregado"));
    t[QStringLiteral("edCTPSSerie")] = l(QStringLiteral("SeCartTrabEmpregado"));
    t[QStringLiteral("edDataAdmissao")] = Data8(l(QStringLiteral("DaAdmissaoEmpregado")));
    t[QStringLiteral("edTipoAdmissao")] = Descrito(dm.taAdmissao, l(QStringLiteral("CoTipoAdmissao")), QStringLiteral("NoTipoAdmissao"));
    t[QStringLiteral("edSalarioContratual")] = Dinheiro9(l(QStringLiteral("VaSalContratualEmpregado")));
    t[QStringLiteral("edTipoSalario")] = Descrito(dm.taSalario, l(QStringLiteral("CoTipoSalarioContratual")), QStringLiteral("NoTipoSalarioContratual"));
    t[QStringLiteral("edHoras")] = l(QStringLiteral("HoSemanaisEmpregado"));
    const QString cbo = l(QStringLiteral("CoCbo"));
    t[QStringLiteral("edCBO")] = CodigoDescrito(dm.taCBO, cbo, Mascara(cbo, {{4, "-"}}), QStringLiteral("NoCbo"));
    if (!t[QStringLiteral("edCBO")].contains(QLatin1String(" - ")))
        t[QStringLiteral("edCBO")] = cbo;
    t[QStringLiteral("edVinculo")] = Descrito(dm.taTpVinc, l(QStringLiteral("CoVinculo")), QStringLiteral("NoVinculo"));
    const QString alvara = l(QStringLiteral("InAlvaraEmpregado"));
    t[QStringLiteral("edAlvara")] = alvara == QLatin1String("1") || alvara == QLatin1String("X") ? QStringLiteral("Sim") : QStringLiteral("Não");
    const QString causa = l(QStringLiteral("CoCausaDesligamento"));
    t[QStringLiteral("edDesligamento")] =
        causa == QLatin1String("00") ? QStringLiteral("   ") : Descrito(dm.taDesl, causa, QStringLiteral("NoCausaDesligamento"));
    t[QStringLiteral("edDataDesligamento")] = Data4(l(QStringLiteral("DaDesligamentoEmpregado")));
    t[QStringLiteral("edAvisoPrevio")] = Dinheiro9(l(QStringLiteral("VaAvisoPrevioEmpregado")));
    const QString local = l(QStringLiteral("CoMunicipioTrabalho"));
    t[QStringLiteral("edLocalTrabalho")] = local == QLatin1String("0000000") ? QString() : Mascara(local, {{2, "-"}});
    const struct {
        const char *codigo, *descricao, *inicio, *fim, *campo, *campoInicio, *campoFim;
    } afastamentos[] = {
        {"dePrimCod", "edTxPrimAfast", "dePrimInicio", "dePrimFinal", "CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas"},
        {"deSegCod", "edTxSegAfas", "deSegInicio", "deSegFinal", "CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas"},
        {"deTerCod", "EdTxTerAfas", "deTerInicio", "deTerFinal", "CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"}};
    for (const auto &a : afastamentos) {
        const QString codigo = l(QLatin1String(a.campo));
        const bool vazio = codigo.trimmed().isEmpty() || codigo == QLatin1String("00");
        t[QLatin1String(a.codigo)] = vazio ? QString() : codigo;
        const QString descrito = vazio ? codigo : Descrito(dm.TaAfastamento, codigo, QStringLiteral("NoAfastamento"));
        t[QLatin1String(a.descricao)] = descrito.startsWith(codigo + QStringLiteral(" - ")) ? descrito.mid(codigo.size() + 3) : QString();
        t[QLatin1String(a.inicio)] = Data4(l(QLatin1String(a.campoInicio)));
        t[QLatin1String(a.fim)] = Data4(l(QLatin1String(a.campoFim)));
    }
    const QString dias = l(QStringLiteral("QtDiasAfas"));
    t[QStringLiteral("deAfastQtDias")] = dias == QLatin1String("000") ? QString() : dias;
    for (const auto &[controle, campo] : {std::pair{"edCNPJSindical", "CoCNPJSindical"}, {"edCNPJPrimAssociativa", "CoCNPJPrimAssociativa"},
                                          {"edCNPJSegAssociativa", "CoCNPJSegAssociativa"}, {"edCNPJAssistencial", "CoCNPJAssistencial"},
                                          {"edCNPJConfederativa", "CoCNPJConfederativa"}})
        t[QLatin1String(controle)] = Cnpj(l(QLatin1String(campo)));
    for (const auto &[controle, campo] : {std::pair{"edValorSindical", "VaGlobalSindical"}, {"edValorPrimAssociativa", "VaGlobalPrimAssociativa"},
                                          {"edValorSegAssociativa", "VaGlobalSegAssociativa"}, {"edValorAssistencial", "VaGlobalAssistencial"},
                                          {"edValorConfederativa", "VaGlobalConfederativa"}})
        t[QLatin1String(controle)] = Dinheiro8(l(QLatin1String(campo)));
    t[QStringLiteral("rbSindicalizadoSim")] = l(QStringLiteral("InSindicalizadoVinculo")) == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
    for (int m = 0; m < 12; ++m) {
        const QString mes = QLatin1String(kMeses[m]);
        t[QStringLiteral("ed") + mes] = Dinheiro9(l(QStringLiteral("Va%1Empregado").arg(mes)));
        const QString horas = l(QStringLiteral("HoTrabalhadas") + mes);
        t[QStringLiteral("edHoras") + mes] = horas == QLatin1String("000") ? QString() : horas;
    }
    t[QStringLiteral("edAdiantamento")] = MesEValor(l(QStringLiteral("Me13AdiantamentoEmpregado")));
    t[QStringLiteral("edValorAdiantamento")] = Dinheiro9(l(QStringLiteral("Va13AdiantamentoEmpregado")));
    t[QStringLiteral("edFinal")] = MesEValor(l(QStringLiteral("Me13ParcelaFinalEmpregado")));
    t[QStringLiteral("edValorFinal")] = Dinheiro9(l(QStringLiteral("Va13ParcelaFinalEmpregado")));
    for (const auto &[controle, campo] : {std::pair{"edValorGlobalFerias", "VaGlobalFerias"}, {"edValorGlobalMultas", "VaGlobalMultas"},
                                          {"edValorGlobalBcoHoras", "VaGlobalBcoHoras"}, {"edValorGlobalDissidio", "VaGlobalDissidio"},
                                          {"edValorGlobalGratificacoes", "VaGlobalGratificacoes"}})
        t[QLatin1String(controle)] = Dinheiro8(l(QLatin1String(campo)));
    for (const auto &[controle, campo] : {std::pair{"edCompetenciaHoras", "QtCompBcoHoras"}, {"edCompetenciaDissidio", "QtCompDissidio"},
                                          {"edCompetenciaGratificacoes", "QtCompGratificacoes"}}) {
        const QString meses = l(QLatin1String(campo));
        t[QLatin1String(controle)] = meses == QLatin1String("00") ? QString() : meses;
    }
    return t;
}

TextosConsulta MostraResponsavel(const LinhaConsulta &l)
{
    TextosConsulta t;
    const QString tipo = l(QStringLiteral("InInscrResponsavel"));
    const QString inscricao = l(QStringLiteral("CoCgcCeiResponsavel"));
    t[QStringLiteral("edInscricao")] =
        QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("4")}.contains(tipo) ? FormataInscricaoCPF(inscricao, tipo) : inscricao;
    t[QStringLiteral("edTelefoneContato")] = Telefone(l(QStringLiteral("NuFoneDDD")), l(QStringLiteral("NuFoneAssinante")));
    t[QStringLiteral("edNumeroResponsavel")] = RetiraZerosEsquerda(l(QStringLiteral("NuLogradouroRespArquivo")));
    t[QStringLiteral("edUF")] = l(QStringLiteral("SgUfRespArquivo")).toUpper();
    t[QStringLiteral("edCpfResponsavel")] = FormataInscricaoCPF(l(QStringLiteral("CoCpfResponsavel")), QStringLiteral("4"));
    for (const auto &[controle, campo] :
         {std::pair{"edNomeRazaoSocialResponsavel", "NoResponsavelArquivo"}, {"edLogradouroResponsavel", "EdLogradouroRespArquivo"},
          {"edComplementoResponsavel", "TxComplementoRespArquivo"}, {"edBairro", "NoBairroRespArquivo"},
          {"mdCep", "CoCepRespArquivo"}, {"mdCodigoMunicipio", "CoMunicipioRespArquivo"},
          {"edNomeMunicipio", "NoMunicipioRespArquivo"}, {"edEmail", "TxEMailRespArquivo"},
          {"edNomeResponsavel", "NoResponsavelDeclaracao"}, {"mdDataNasc", "DaNascimentoRespArquivo"}})
        t[QLatin1String(controle)] = l(QLatin1String(campo));
    t[QStringLiteral("ckRetificacao")] = l(QStringLiteral("InRetificacao")) == QLatin1String("True") ? QStringLiteral("1") : QStringLiteral("0");
    const QString retificacao = l(QStringLiteral("DaRetificacao"));
    t[QStringLiteral("mdDataRetificacao")] = retificacao.trimmed() == QLatin1String("00000000") ? QString() : retificacao;
    const QString crea = l(QStringLiteral("CoCrea"));
    t[QStringLiteral("edCoCrea")] = crea.trimmed() == QLatin1String("000000000000") ? QString() : crea;
    return t;
}

namespace {

// A temporary table of keys of the connection `conexao`, emptied and filled with `chaves`.
void TabelaDeChaves(const QString &conexao, const QString &nome, const QStringList &campos, const QList<QStringList> &chaves)
{
    QStringList colunas, marcas;
    for (const QString &c : campos) {
        colunas << c + QStringLiteral(" text not null");
        marcas << QLatin1Char('?') + QString::number(marcas.size() + 1);
    }
    // keyed, so that the statement finds a row's key by an index search
    execWrite(QStringLiteral("create temp table if not exists ") + nome + QStringLiteral(" (") + colunas.join(QStringLiteral(", ")) +
                  QStringLiteral(", primary key (") + campos.join(QStringLiteral(", ")) + QStringLiteral("))"),
              {}, conexao);
    execWrite(QStringLiteral("delete from temp.") + nome, {}, conexao);
    // Prepared once: 50,000 keys cost about what one statement over the same rows does.
    const TableDef &vinculos = Schema::require(QStringLiteral("bd8vinc"));
    QVector<int> larguras;
    for (const QString &c : campos)
        larguras << vinculos.fields.at(vinculos.fieldIndex(c)).width;
    PreparedStatements preparados(conexao);
    Statement insere(preparados,
                     QStringLiteral("insert or ignore into temp.") + nome + QStringLiteral(" values (") + marcas.join(QStringLiteral(", ")) +
                         QLatin1Char(')'),
                     conexao, nome);
    Transaction t(conexao);
    for (const QStringList &chave : chaves) {
        for (int i = 0; i < campos.size(); ++i)
            insere.bindStored(i + 1, chave.value(i), larguras.at(i));
        insere.exec();
    }
    t.commit();
}

QString Iguais(const QString &a, const QString &b, const QStringList &campos)
{
    QStringList r;
    for (const QString &c : campos)
        r << a + QLatin1Char('.') + c + QStringLiteral(" = ") + b + QLatin1Char('.') + c;
    return r.join(QStringLiteral(" and "));
}

} // namespace

void MontaConsultaRelatorio(Query &q, const QString &tabelaResponsavel, const QString &tabelaEmpresa,
                            const QString &tabelaVinculo, const QString &anoBase, int ordem,
                            const QList<QStringList> &estabelecimentos, const QList<QStringList> &vinculos,
                            bool parcial, const QString &conexao)
{
    q.Close();
    const QStringList chaveEmpresa = Schema::require(QStringLiteral("bd8emp")).indexes.first().fields;
    const QStringList chaveVinculo = Schema::require(QStringLiteral("bd8vinc")).indexes.first().fields;
    TabelaDeChaves(conexao, QStringLiteral("ConsultaEmpresas"), chaveEmpresa, estabelecimentos);
    TabelaDeChaves(conexao, QStringLiteral("ConsultaVinculos"), chaveVinculo, parcial ? vinculos : QList<QStringList>());
    const QString vinculoOn = parcial ? QStringLiteral("exists (select 1 from temp.ConsultaVinculos Marcado where ") +
                                            Iguais(QStringLiteral("Marcado"), QStringLiteral("Vinculo"), chaveVinculo) + QLatin1Char(')')
                                      : QString();
    const QString onde = QStringLiteral("Empresa.AnBase = :sAnoBase and exists (select 1 from temp.ConsultaEmpresas Marcada where ") +
                         Iguais(QStringLiteral("Marcada"), QStringLiteral("Empresa"), chaveEmpresa) + QLatin1Char(')');
    static const char *const ordens[3] = {"Vinculo.CoPisPasepEmpregado", "Vinculo.NoEmpregado", "Vinculo.TxUsoEmpregado"};
    q.setSql(ConsultaDeclaracao(tabelaResponsavel, tabelaEmpresa, tabelaVinculo, vinculoOn, onde,
                                QLatin1String(ordens[qBound(0, ordem, 2)]) + QStringLiteral(", Vinculo.CoPisPasepEmpregado")));
    q.ParamByName(QStringLiteral("sAnoBase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), anoBase);
}

QList<ItemRelatorio> EstabelecimentosRelatorio(const QString &tabelaEmpresa, const QString &ano)
{
    Query q;
    q.setSql(QStringList{QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento,"),
                         QStringLiteral("NoRazaoEstabelecimento, InInscrEstabelecimento from ") + tabelaEmpresa,
                         QStringLiteral("where AnBase = :AnBase"),
                         QStringLiteral("order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento")});
    q.ParamByName(QStringLiteral("AnBase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), ano);
    QList<ItemRelatorio> r;
    for (q.Open(); !q.Eof(); q.Next()) {
        auto f = [&q](const char *campo) { return q.FieldByName(QLatin1String(campo)).AsString(); };
        const QString inscricao = f("CoCgcCeiEstabelecimento");
        const QString prefixo = f("NuPrefixoEstabelecimento");
        r << ItemRelatorio{CompletaBrancos(FormataInscricao(inscricao, f("InInscrEstabelecimento")), 18) + Brancos(4) +
                               CompletaBrancos(prefixo, 2) + Brancos(4) + f("NoRazaoEstabelecimento"),
                           {f("AnBase"), inscricao, prefixo}};
    }
    q.Close();
    return r;
}

QString ItemEmpregadoRelatorio(const QString &pis, const QString &admissao, const QString &nome, const QString &uso,
                               int ordem)
{
    const QString p = CompletaBrancos(FormataPisPasep(pis), 14);
    const QString d = CompletaBrancos(FormataData(admissao), 10);
    const QString dois = Brancos(2);
    switch (ordem) {
    case 1:
        return CompletaBrancos(nome, 30) + dois + p + dois + d + dois + uso;
    case 2:
        return CompletaBrancos(uso, 13) + dois + p + dois + d + dois + nome;
    default:
        return p + dois + d + dois + CompletaBrancos(nome, 30) + dois + uso;
    }
}

QList<ItemRelatorio> EmpregadosRelatorio(const QString &tabelaVinculo, const QStringList &estabelecimento, int ordem,
                                         int limite, bool &demais)
{
    const QStringList &campos = CamposChaveVinculo();
    static const char *const ordens[3] = {"CoPisPasepEmpregado", "NoEmpregado", "TxUsoEmpregado"};
    Query q;
    // One line beyond the limit tells whether there are more.
    q.setSql(QStringList{QStringLiteral("select ") + campos.join(QStringLiteral(", ")) + QStringLiteral(", TxUsoEmpregado"),
                         QStringLiteral("from ") + tabelaVinculo,
                         QStringLiteral("where AnBase = :AnBase and CoCgcCeiEstabelecimento = :Inscricao"),
                         QStringLiteral("and NuPrefixoEstabelecimento = :Prefixo"),
                         QStringLiteral("order by ") + QLatin1String(ordens[qBound(0, ordem, 2)]) + QStringLiteral(", ") +
                             campos.join(QStringLiteral(", ")),
                         QStringLiteral("limit :Limite")});
    q.ParamByName(QStringLiteral("AnBase")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("AnBase"), estabelecimento.value(0));
    q.ParamByName(QStringLiteral("Inscricao")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCgcCeiEstabelecimento"), estabelecimento.value(1));
    q.ParamByName(QStringLiteral("Prefixo")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("NuPrefixoEstabelecimento"), estabelecimento.value(2));
    q.ParamByName(QStringLiteral("Limite")).setValue(limite + 1);
    QList<ItemRelatorio> r;
    demais = false;
    for (q.Open(); !q.Eof(); q.Next()) {
        if (r.size() == limite) {
            demais = true;
            break;
        }
        ItemRelatorio item;
        for (const QString &c : campos)
            item.Chave << q.FieldByName(c).AsString();
        item.Texto = ItemEmpregadoRelatorio(q.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString(),
                                            q.FieldByName(QStringLiteral("DaAdmissaoEmpregado")).AsString(),
                                            q.FieldByName(QStringLiteral("NoEmpregado")).AsString(),
                                            q.FieldByName(QStringLiteral("TxUsoEmpregado")).AsString(), ordem);
        r << item;
    }
    q.Close();
    return r;
}

} // namespace gdvorn
