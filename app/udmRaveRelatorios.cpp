#include "app/udmRaveRelatorios.h"

#include "app/base/Presenter.h"
#include "app/ugConfiguracao.h"
#include "app/base/Schema.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"

#include <QFile>

#include <stdexcept>

namespace gdvorn {

TdmRaveRelatorios *dmRaveRelatorios = nullptr;

namespace {

SaidaRelatorio *g_saida = nullptr;

std::function<void(TdmRaveRelatorios &)> &registro()
{
    static std::function<void(TdmRaveRelatorios &)> r;
    return r;
}

bool zeros(const QString &s) { return SoZeros(s.trimmed()); }

} // namespace

SaidaRelatorio *saidaRelatorio() { return g_saida; }

void setRegistroRelatorios(std::function<void(TdmRaveRelatorios &)> registra) { registro() = std::move(registra); }

SaidaRelatorio *setSaidaRelatorio(SaidaRelatorio *s)
{
    SaidaRelatorio *anterior = g_saida;
    g_saida = s;
    return anterior;
}

bool TRvSystem::HaImpressora() const { return g_saida && g_saida->haImpressora(); }

const TRvSystem::SemImpressora TRvSystem::kImpossivelImprimir{
    QStringLiteral("Não é possível imprimir: não há impressoras instaladas.")};
const TRvSystem::SemImpressora TRvSystem::kNaoHaImpressoras{QStringLiteral("Não há impressoras instaladas.")};
const TRvSystem::SemImpressora TRvSystem::kErroImpossivelImprimir{kImpossivelImprimir.texto, true};

bool TRvSystem::VerificaImpressora(const SemImpressora &aviso)
{
    if (HaImpressora())
        return true;
    ImprimeDaVisualizacao = false;
    if (aviso.erro)
        presenter().show(MessageKind::Error, aviso.texto, {MessageButton::Ok}, QStringLiteral("Atenção"),
                         MessageButton::Ok);
    else
        presenter().show(MessageKind::Warning, aviso.texto, {MessageButton::Ok});
    return false;
}

void TRvSystem::Executa(const QString &nome, const GeraPaginas &gera)
{
    if (Destino == DestinoRelatorio::Arquivo && ArquivoSaida.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
        QFile f(ArquivoSaida);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw std::runtime_error(("Não foi possível criar o arquivo " + ArquivoSaida + ": " + f.errorString())
                                         .toStdString());
        RenderizadorTexto texto(&f);
        gera(texto);
        return;
    }
    if (!g_saida)
        throw std::runtime_error("Não há saída de relatórios instalada.");
    g_saida->executa(*this, nome, gera);
}

QString TextoEstado(const QString &modelo, int pagina)
{
    QString texto = modelo;
    return texto.replace(QLatin1String("%p"), QString::number(pagina));
}

void PaginasComEstado::pagina(const Pagina &p)
{
    m_destino.pagina(p);
    m_estado.setPosition(++m_paginas);
    m_estado.processaEventos();
}

void TRvProject::Gera(const QString &relatorio, DestinoPaginas &destino)
{
    const auto it = m_relatorios.constFind(relatorio);
    if (it == m_relatorios.constEnd())
        throw std::invalid_argument(("Relatório não encontrado: " + relatorio).toStdString());
    it.value()(m_modulo, *this, destino);
}

void TRvProject::ExecuteReport(const QString &relatorio)
{
    if (!Tem(relatorio))
        throw std::invalid_argument(("Relatório não encontrado: " + relatorio).toStdString());
    m_modulo.RvSystem1.Executa(relatorio, [this, relatorio](DestinoPaginas &d) { Gera(relatorio, d); });
}

QString ColunaDeclaracao(const QString &tabela, const QString &campo)
{
    if (tabela.compare(QLatin1String("bd8vinc"), Qt::CaseInsensitive) == 0 &&
        Schema::require(QStringLiteral("bd8emp")).fieldIndex(campo) >= 0)
        return QStringLiteral("Vinculo") + campo;
    return campo;
}

QString ConsultaDeclaracao(const QString &tabelaResponsavel, const QString &tabelaEmpresa,
                           const QString &tabelaVinculo, const QString &vinculoOn, const QString &onde,
                           const QString &ordem)
{
    QStringList colunas;
    for (const auto &[tabela, apelido] : {std::pair{"bd8emp", "Empresa"}, {"bd8vinc", "Vinculo"}, {"bd8resp", "Responsavel"}}) {
        for (const FieldDef &f : Schema::require(QLatin1String(tabela)).fields) {
            const QString coluna = ColunaDeclaracao(QLatin1String(tabela), f.name);
            colunas << QLatin1String(apelido) + QLatin1Char('.') + f.name +
                           (coluna == f.name ? QString() : QStringLiteral(" as ") + coluna);
        }
    }
    QStringList linhas{QStringLiteral("select ") + colunas.join(QStringLiteral(", ")),
                       QStringLiteral("from ") + tabelaEmpresa + QStringLiteral(" Empresa"),
                       QStringLiteral("left join ") + tabelaVinculo + QStringLiteral(" Vinculo"),
                       QStringLiteral("on Vinculo.AnBase = Empresa.AnBase"),
                       QStringLiteral("and Vinculo.CoCgcCeiEstabelecimento = Empresa.CoCgcCeiEstabelecimento"),
                       QStringLiteral("and Vinculo.NuPrefixoEstabelecimento = Empresa.NuPrefixoEstabelecimento")};
    if (!vinculoOn.isEmpty())
        linhas << QStringLiteral("and ") + vinculoOn;
    linhas << QStringLiteral("left join (select * from ") + tabelaResponsavel +
                  QStringLiteral(" limit 1) Responsavel on 1 = 1")
           << QStringLiteral("where ") + onde
           << QStringLiteral("order by Empresa.CoCgcCeiEstabelecimento, Empresa.NuPrefixoEstabelecimento, ") + ordem;
    return linhas.join(QLatin1Char('\n'));
}

TdmRaveRelatorios::TdmRaveRelatorios(const QString &conexao)
    : quProtocolo(conexao), qrConsulta(conexao), quContavinc(conexao), quErros(conexao), ta8Msg(conexao),
      quErroStru(conexao), ta8importacao(conexao), quSequencias(conexao), quTodos(conexao), m_conexao(conexao)
{
    // Volumes in the order of their numbers: the volume number is text, and "10" sorts before "2".
    // Volumes in the order of their numbers: the volume number is text, and "10" sorts before "2". The
    // establishment's own columns are renamed, as the volume's header carries the same names.
    quProtocolo.setSql(QStringList{
        QStringLiteral("select Identificacao.*, Estabelecimentos.CoCgcCeiEstabelecimento as EsInscricao,"),
        QStringLiteral("Estabelecimentos.NuPrefixoEstabelecimento as EsPrefixo, Estabelecimentos.CoCgcVinculado as EsVinculado,"),
        QStringLiteral("Estabelecimentos.InInscrEstabelecimento as EsTipo, Estabelecimentos.NoRazaoEstabelecimento as EsRazao,"),
        QStringLiteral("Estabelecimentos.NuVinculosEstabelecimento as EsVinculos,"),
        QStringLiteral("Estabelecimentos.DaEncerramentoAtividade as EsEncerramento"),
        QStringLiteral("from te8ProId Identificacao, te8ProEs Estabelecimentos"),
        QStringLiteral("where Identificacao.NuDisquete = Estabelecimentos.NuDisquete"),
        QStringLiteral("order by cast(Identificacao.NuDisquete as integer), Estabelecimentos.CoCgcCeiEstabelecimento,"),
        QStringLiteral("Estabelecimentos.NuPrefixoEstabelecimento")});
    qrConsulta.setSql(ConsultaDeclaracao(QStringLiteral("BD8RESP"), QStringLiteral("BD8EMP"), QStringLiteral("BD8VINC"),
                                         QString(), QStringLiteral("Empresa.AnBase = :AnBase"),
                                         QStringLiteral("Vinculo.CoPisPasepEmpregado")));
    // An establishment's links of its own year and prefix only.
    quContavinc.setSql(QStringList{QStringLiteral("select * from BD8VINC Vinculo"),
                                   QStringLiteral("where Vinculo.AnBase = :AnBase"),
                                   QStringLiteral("and Vinculo.CoCgcCeiEstabelecimento = :sCgcCei"),
                                   QStringLiteral("and Vinculo.NuPrefixoEstabelecimento = :sPrefixo")});
    quErros.setSql(QStringLiteral("select * from te8errwa"));
    ta8Msg.setSql(QStringLiteral("select * from tb8msg"));
    quErroStru.setSql(QStringList{QStringLiteral("select *"), QStringLiteral("from te8stru"),
                                  QStringLiteral("order by cast(Sequencia as integer)")});
    ta8importacao.setSql(QStringLiteral("select * from te8imp"));
    quSequencias.setSql(QStringList{QStringLiteral("select distinct seq, coimp"), QStringLiteral("from te8imp"),
                                    QStringLiteral("where coimp <> '0000'"), QStringLiteral("order by seq")});
    quTodos.setSql(QStringLiteral("select * from te8imp"));
    if (registro())
        registro()(*this);
}

void TdmRaveRelatorios::SelecionaErros(const QString &errWar)
{
    quErros.Close();
    quErros.setSql(QStringList{QStringLiteral("select * from te8errwa where errwar = :ErrWar"),
                               QStringLiteral("order by cast(Sequencial as integer)")});
    quErros.ParamByName(QStringLiteral("ErrWar")).setAsStored(QStringLiteral("te8errwa"), QStringLiteral("ErrWar"), errWar);
    ErrWar = errWar;
}

void TdmRaveRelatorios::VisualizaErros(const QString &errWar, const TRvSystem::SemImpressora &aviso)
{
    RvSystem1.VerificaImpressora(aviso);
    SelecionaErros(errWar);
    RvSystem1.Destino = DestinoRelatorio::Visualizacao;
    rvprjErro.SetParam(QStringLiteral("AnoBase1"), QString::number(Configuracao().AnoBase));
    rvprjErro.SetParam(QStringLiteral("Versao"), Configuracao().Versao);
    rvprjErro.ExecuteReport(QStringLiteral("rptErros"));
}

QString VersaoEditada(const QString &versao) { return versao.left(4) + QStringLiteral(",V") + versao.mid(4, 3); }

QString TextoInscricao(const QString &inscricao, const QString &tipo)
{
    if (tipo == QLatin1String("1") || tipo == QLatin1String("3") || tipo == QLatin1String("4"))
        return FormataInscricaoCPF(inscricao, tipo);
    return QString();
}

QString TextoCPF(const QString &cpf) { return FormataInscricaoCPF(cpf, QStringLiteral("4")); }

QString TextoCeiVinculado(const QString &cei)
{
    // A link or establishment without a linked CEI stores it blank or as zeros: nothing to print.
    return cei.trimmed().isEmpty() || cei == QLatin1String("00000000000000") ? QStringLiteral(" ")
                                                                            : FormataInscricao(cei, QStringLiteral("3"));
}

QString TextoCNPJ(const QString &cnpj)
{
    return cnpj.trimmed().isEmpty() || cnpj == QLatin1String("00000000000000") ? QStringLiteral(" ")
                                                                              : FormataInscricao(cnpj, QStringLiteral("1"));
}

QString TextoMunicipio(const QString &codigo)
{
    if (codigo == QLatin1String("0000000"))
        return QStringLiteral(" ");
    return codigo.left(2) + QLatin1Char('-') + codigo.mid(2, 5);
}

QString TextoTrim(const QString &numero)
{
    return zeros(numero) ? QStringLiteral("-") : RetiraZerosEsquerda(numero.trimmed());
}

QString TextoPAT(const QString &percentual)
{
    return zeros(percentual) ? QStringLiteral("0%") : RetiraZerosEsquerda(percentual.trimmed()) + QLatin1Char('%');
}

QString TextoRemuneracao(const QString &valor9)
{
    return EhNumerico(valor9) ? FormataValor9(valor9.trimmed()).trimmed() : QString();
}

QString TextoValorTotal(const QString &valor8)
{
    if (zeros(valor8))
        return QStringLiteral("0,00");
    return EhNumerico(valor8) ? FormataValor8(valor8.trimmed()).trimmed() : QString();
}

QString TextoDatas(const QString &ddmm)
{
    if (zeros(ddmm))
        return QStringLiteral("-");
    if (!EhNumerico(ddmm))
        return QString();
    return ddmm.left(2) + QLatin1Char('/') + ddmm.mid(2, 2);
}

QString TextoDataDeslig(const QString &ddmm, int anoBase, const QString &encerramento)
{
    if (!EhNumerico(ddmm) || zeros(ddmm))
        return QStringLiteral("-");
    const int anoEncerramento = StrToIntSeguro(encerramento.mid(4, 4));
    const int ano = anoEncerramento == anoBase + 1 ? anoEncerramento : anoBase;
    return ddmm.left(2) + QLatin1Char('/') + ddmm.mid(2, 2) + QLatin1Char('/') + QString::number(ano);
}

QString TextoEncerramento(const QString &data)
{
    if (!EhNumerico(data) || zeros(data))
        return QStringLiteral("-");
    return FormataData(data);
}

QString TextoEncerramentoProtocolo(const QString &data)
{
    const QString t = data.trimmed();
    if (t.isEmpty() || t == QLatin1String("00000000"))
        return QStringLiteral(" ");
    return FormataData(t);
}

QString TextoRazao(const QString &razao)
{
    if (razao == QLatin1String("0000") || razao == QLatin1String("00000000000"))
        return QStringLiteral(" ");
    return razao;
}

} // namespace gdvorn
