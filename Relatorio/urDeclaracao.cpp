// The declaration reports (complete and summary, over qrConsulta: one row per link with its
// establishment and the responsible row, establishments in order; an establishment without links has one
// row with blank link columns), the file layout and the transmission
// protocol.

#include "Relatorio/ugRelatorios.h"

#include "app/base/Schema.h"
#include "app/ugFuncoes.h"
#include "fileformat/ugLayoutVorn.h"

namespace gdvorn {

namespace {

QString campo(Query &q, const QString &nome) { return q.FieldByName(nome).AsString().trimmed(); }

// The establishment's key fields print in its heading; the rest as captioned fields.
const QStringList kChaveEstabelecimento{QStringLiteral("AnBase"), QStringLiteral("CoCgcCeiEstabelecimento"),
                                        QStringLiteral("NuPrefixoEstabelecimento")};

QList<QPair<QString, QString>> camposDaTabela(Query &q, const QString &tabela, const QStringList &fora,
                                              const QString &tipo, int ano, const QString &encerramento)
{
    QList<QPair<QString, QString>> pares;
    for (const FieldDef &f : Schema::require(tabela).fields) {
        if (fora.contains(f.name))
            continue;
        pares << qMakePair(f.name, TextoCampo(f.name, q.FieldByName(ColunaDeclaracao(tabela, f.name)).AsString(), tipo,
                                              ano, encerramento));
    }
    return pares;
}

void declaracao(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d, bool completo)
{
    const QString anoBase = p.GetParam(QStringLiteral("AnoBase"));
    const int ano = anoBase.toInt();
    QString titulo = p.GetParam(QStringLiteral("TipoRelatorio"));
    if (titulo.isEmpty())
        titulo = completo ? QStringLiteral("Relatório Completo do Estabelecimento")
                          : QStringLiteral("Relatório Resumido do Estabelecimento");
    MontadorRelatorio r(d, titulo, anoBase, p.GetParam(QStringLiteral("Versao")));
    const QString classificacao = p.GetParam(QStringLiteral("Classificacao"));
    if (!classificacao.isEmpty())
        r.setSubtitulo(QStringLiteral("Classificado por ") + classificacao);

    Query &q = m.qrConsulta;
    q.Close();
    if (q.paramNames().contains(QStringLiteral("AnBase")))
        q.ParamByName(QStringLiteral("AnBase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), anoBase);
    q.Open();
    QString chave;
    int vinculos = 0;
    auto fechaEstabelecimento = [&] {
        if (chave.isEmpty())
            return;
        r.semColunas();
        r.total(QStringLiteral("Total de vínculos do estabelecimento"), QString::number(vinculos));
    };
    while (!q.Eof()) {
        const QString tipo = campo(q, QStringLiteral("InInscrEstabelecimento"));
        const QString encerramento = campo(q, QStringLiteral("DaEncerramentoAtividade"));
        const QString esta = campo(q, QStringLiteral("AnBase")) + campo(q, QStringLiteral("CoCgcCeiEstabelecimento")) +
                             campo(q, QStringLiteral("NuPrefixoEstabelecimento"));
        if (esta != chave) {
            fechaEstabelecimento();
            chave = esta;
            vinculos = 0;
            r.grupo(QStringLiteral("Estabelecimento ") +
                        TextoInscricao(campo(q, QStringLiteral("CoCgcCeiEstabelecimento")), tipo) +
                        QStringLiteral("  Prefixo ") + campo(q, QStringLiteral("NuPrefixoEstabelecimento")),
                    true);
            r.campos(camposDaTabela(q, QStringLiteral("bd8emp"), kChaveEstabelecimento, tipo, ano, encerramento), 2);
            r.linhaEmBranco();
            r.texto(QStringLiteral("Responsável pela declaração"), true);
            r.campos(camposDaTabela(q, QStringLiteral("bd8resp"), {}, campo(q, QStringLiteral("InInscrResponsavel")),
                                    ano, encerramento),
                     2);
            r.linhaEmBranco();
            if (!completo)
                r.colunas({{QStringLiteral("PIS/PASEP"), 14, 0},
                           {QStringLiteral("Nome"), 40, 0},
                           {QStringLiteral("Admissão"), 10, 0},
                           {QStringLiteral("Deslig."), 10, 0},
                           {QStringLiteral("CBO"), 6, 0},
                           {QStringLiteral("Vínc."), 5, 0},
                           {QStringLiteral("Salário"), 9, Qt::AlignRight}});
        }
        if (campo(q, ColunaDeclaracao(QStringLiteral("bd8vinc"), QStringLiteral("AnBase"))).isEmpty()) {
            q.Next();
            continue;
        }
        ++vinculos;
        if (completo) {
            r.texto(QStringLiteral("Vínculo ") + QString::number(vinculos), true);
            r.campos(camposDaTabela(q, QStringLiteral("bd8vinc"), kChaveEstabelecimento, tipo, ano, encerramento), 2);
            r.linhaEmBranco();
        } else {
            r.linha({FormataPisPasep(campo(q, QStringLiteral("CoPisPasepEmpregado"))), campo(q, QStringLiteral("NoEmpregado")),
                     FormataData(campo(q, QStringLiteral("DaAdmissaoEmpregado"))),
                     TextoDataDeslig(campo(q, QStringLiteral("DaDesligamentoEmpregado")), ano, encerramento),
                     campo(q, QStringLiteral("CoCbo")), campo(q, QStringLiteral("CoVinculo")),
                     TextoRemuneracao(campo(q, QStringLiteral("VaSalContratualEmpregado")))});
        }
        q.Next();
    }
    fechaEstabelecimento();
    q.Close();
    r.termina();
}

QString conteudo(const ItemLayout &i)
{
    switch (i.Origem) {
    case OrigemCampo::Campo:
        return i.Valor;
    case OrigemCampo::Constante:
        return QLatin1Char('"') + i.Valor + QLatin1Char('"');
    case OrigemCampo::Brancos:
        return QStringLiteral("brancos");
    case OrigemCampo::Sequencial:
        return QStringLiteral("sequencial do registro");
    default:
        return QString();
    }
}

} // namespace

void RelatorioCompleto(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d) { declaracao(m, p, d, true); }
void RelatorioResumido(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d) { declaracao(m, p, d, false); }

void Cartela(TdmRaveRelatorios &, const TRvProject &p, DestinoPaginas &d)
{
    QString titulo = p.GetParam(QStringLiteral("TipoRelatorio"));
    if (titulo.isEmpty())
        titulo = QStringLiteral("Descrição do arquivo VORN") + p.GetParam(QStringLiteral("AnoBase"));
    MontadorRelatorio r(d, titulo, p.GetParam(QStringLiteral("AnoBase")), p.GetParam(QStringLiteral("Versao")));
    for (int tipo : {0, 1, 2, 9}) {
        r.grupo(QStringLiteral("Registro tipo ") + QString::number(tipo), true);
        r.colunas({{QStringLiteral("Campo"), 5, Qt::AlignRight},
                   {QStringLiteral("Início"), 6, Qt::AlignRight},
                   {QStringLiteral("Fim"), 5, Qt::AlignRight},
                   {QStringLiteral("Tam."), 5, Qt::AlignRight},
                   {QStringLiteral("Descrição"), 48, 0},
                   {QStringLiteral("Conteúdo"), 26, 0}});
        for (const ItemLayout &i : LayoutRegistro(tipo))
            r.linha({i.Slot ? QString::number(i.Slot) : QString(), QString::number(i.Inicio),
                     QString::number(i.Inicio + i.Tamanho - 1), QString::number(i.Tamanho), i.Descricao, conteudo(i)});
    }
    r.termina();
}

void Transmissao(TdmRaveRelatorios &, const TRvProject &p, DestinoPaginas &d)
{
    MontadorRelatorio r(d, QStringLiteral("Protocolo de Transmissão da Declaração VORN"), p.GetParam(QStringLiteral("AnoBase")),
                        p.GetParam(QStringLiteral("Versao")));
    const QList<QPair<QString, QString>> parametros{
        {QStringLiteral("AnoBase"), QStringLiteral("Ano-Base")},
        {QStringLiteral("CREA"), QStringLiteral("CREA")},
        {QStringLiteral("CNPJ"), QStringLiteral("CNPJ/CEI/CPF do responsável")},
        {QStringLiteral("QtdVinc"), QStringLiteral("Quantidade de vínculos")},
        {QStringLiteral("QtdEstab"), QStringLiteral("Quantidade de estabelecimentos")},
        {QStringLiteral("CRCArqVorn"), QStringLiteral("CRC do arquivo VORN")},
        {QStringLiteral("Data"), QStringLiteral("Data da transmissão")},
        {QStringLiteral("Hora"), QStringLiteral("Hora da transmissão")},
        {QStringLiteral("Hash"), QStringLiteral("Código de controle (hash)")},
        {QStringLiteral("CRCRecibo"), QStringLiteral("CRC do recibo")}};
    QList<QPair<QString, QString>> pares;
    for (const auto &par : parametros)
        pares << qMakePair(par.second, p.GetParam(par.first));
    r.campos(pares, 1);
    r.termina();
}

} // namespace gdvorn
