// The receipt of the recorded files and the diskette labels, over quProtocolo (one row per establishment
// of each written volume, volumes in number order).

#include "Relatorio/ugRelatorios.h"

#include "app/ugFuncoes.h"

namespace gdvorn {

namespace {

QString campo(Query &q, const char *nome) { return q.FieldByName(QLatin1String(nome)).AsString().trimmed(); }

QString inscricao(Query &q, const char *nomeInscricao, const char *nomeTipo)
{
    return TextoInscricao(campo(q, nomeInscricao), campo(q, nomeTipo));
}

// "HH:MM:SS" from the six digits stored; anything else as stored.
QString hora(const QString &hhmmss)
{
    if (hhmmss.size() != 6)
        return hhmmss;
    return hhmmss.left(2) + QLatin1Char(':') + hhmmss.mid(2, 2) + QLatin1Char(':') + hhmmss.mid(4, 2);
}

} // namespace

void rptProtocolo(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d)
{
    MontadorRelatorio r(d, QStringLiteral("Protocolo de Gravação da Declaração VORN"), p.GetParam(QStringLiteral("AnoBase")),
                        p.GetParam(QStringLiteral("VersaoEditada")));
    Query &q = m.quProtocolo;
    q.Close();
    q.Open();
    int volumes = 0, estabelecimentos = 0, vinculos = 0;
    QString volume;
    int estabVolume = 0, vincVolume = 0;
    auto fechaVolume = [&] {
        if (volume.isEmpty())
            return;
        r.total(QStringLiteral("Estabelecimentos / vínculos do volume ") + volume,
                QString::number(estabVolume) + QStringLiteral(" / ") + QString::number(vincVolume));
    };
    while (!q.Eof()) {
        const QString nu = campo(q, "NuDisquete");
        if (nu != volume) {
            fechaVolume();
            volume = nu;
            ++volumes;
            estabVolume = vincVolume = 0;
            r.grupo(QStringLiteral("Volume ") + QString::number(nu.toInt()), true);
            r.campos({{QStringLiteral("Data de gravação"), FormataData(campo(q, "DaGeracao"))},
                      {QStringLiteral("Hora de gravação"), hora(campo(q, "HoSenha"))},
                      {QStringLiteral("Estabelecimentos / vínculos gravados"),
                       TextoTrim(campo(q, "NuEstabelecimentos")) + QStringLiteral(" / ") + TextoTrim(campo(q, "NuVinculos"))},
                      {QStringLiteral("Retificação"), q.FieldByName(QStringLiteral("InRetificacao")).AsBoolean()
                                                          ? QStringLiteral("Sim") : QStringLiteral("Não")},
                      {QStringLiteral("Responsável"), campo(q, "NoResponsavelArquivo")},
                      {QStringLiteral("Inscrição do responsável"),
                       inscricao(q, "CoCgcCeiResponsavel", "InInscrResponsavel")},
                      {QStringLiteral("Primeiro estabelecimento"),
                       inscricao(q, "CoCgcCeiEstabelecimento", "InInscrEstabelecimento") + QStringLiteral("  ") +
                           campo(q, "NuPrefixoEstabelecimento")},
                      {QStringLiteral("Razão social"), campo(q, "NoRazaoEstabelecimento")}});
            r.linhaEmBranco();
            r.colunas({{QStringLiteral("Inscrição"), 18, 0},
                       {QStringLiteral("Pref."), 5, 0},
                       {QStringLiteral("CEI vinculado"), 15, 0},
                       {QStringLiteral("Razão social"), 37, 0},
                       {QStringLiteral("Vínculos"), 9, Qt::AlignRight},
                       {QStringLiteral("Encerram."), 10, 0}});
        }
        const int n = campo(q, "EsVinculos").toInt();
        r.linha({inscricao(q, "EsInscricao", "EsTipo"), campo(q, "EsPrefixo"), TextoCeiVinculado(campo(q, "EsVinculado")),
                 campo(q, "EsRazao"), QString::number(n), TextoEncerramentoProtocolo(campo(q, "EsEncerramento"))});
        ++estabVolume;
        ++estabelecimentos;
        vincVolume += n;
        vinculos += n;
        q.Next();
    }
    fechaVolume();
    q.Close();
    r.semColunas();
    r.linhaEmBranco();
    r.total(QStringLiteral("Total de volumes"), QString::number(volumes));
    r.total(QStringLiteral("Total de estabelecimentos"), QString::number(estabelecimentos));
    r.total(QStringLiteral("Total de vínculos"), QString::number(vinculos));
    r.termina();
}

void rptEtiqueta(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d)
{
    MontadorRelatorio r(d, QStringLiteral("Etiquetas dos Volumes da Declaração VORN"), p.GetParam(QStringLiteral("AnoBase")),
                        p.GetParam(QStringLiteral("VersaoEditada")));
    Query &q = m.quProtocolo;
    q.Close();
    q.Open();
    QString volume;
    while (!q.Eof()) {
        const QString nu = campo(q, "NuDisquete");
        if (nu != volume) {
            volume = nu;
            r.grupo(QStringLiteral("VORN ") + campo(q, "AnBase") + QStringLiteral(" - Volume ") + QString::number(nu.toInt()),
                    false);
            r.campos({{QStringLiteral("Versão"), p.GetParam(QStringLiteral("VersaoEditada"))},
                      {QStringLiteral("Ano-base"), campo(q, "AnBase")},
                      {QStringLiteral("Volume"), QString::number(nu.toInt())},
                      {QStringLiteral("Primeiro estabelecimento"),
                       inscricao(q, "CoCgcCeiEstabelecimento", "InInscrEstabelecimento") + QStringLiteral("  ") +
                           campo(q, "NuPrefixoEstabelecimento")},
                      {QStringLiteral("Responsável"), campo(q, "NoResponsavelArquivo")},
                      {QStringLiteral("Inscrição"), inscricao(q, "CoCgcCeiResponsavel", "InInscrResponsavel")},
                      {QStringLiteral("Gravado em"), FormataData(campo(q, "DaGeracao"))},
                      {QStringLiteral("Estabelecimentos / vínculos"),
                       TextoTrim(campo(q, "NuEstabelecimentos")) + QStringLiteral(" / ") +
                           TextoTrim(campo(q, "NuVinculos"))}});
            r.linhaEmBranco();
        }
        q.Next();
    }
    q.Close();
    r.termina();
}

} // namespace gdvorn
