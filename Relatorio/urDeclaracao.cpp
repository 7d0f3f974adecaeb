// The declaration reports (complete and summary, over qrConsulta: one row per link with its
// establishment and the responsible row, establishments in order; an establishment without links has one
// row with blank link columns), the file layout and the transmission
// protocol.

#include "Relatorio/ugRelatorios.h"

#include "app/base/Schema.h"
#include "app/ugFuncoes.h"
#include "fileformat/ugLayoutVorn.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace gdvorn {

namespace {

QString campo(Query &q, const QString &nome) { return q.FieldByName(nome).AsString().trimmed(); }

// The header record captions four fields of the responsible row as identifiers; a reader gets the words
// that the responsible form and the establishment record use for the same data.
const QHash<QString, QString> kRotulosResponsavel{{QStringLiteral("CoCgcCeiResponsavel"), QStringLiteral("Inscrição")},
                                                  {QStringLiteral("InInscrResponsavel"), QStringLiteral("Tipo de inscrição")},
                                                  {QStringLiteral("NuFoneDDD"), QStringLiteral("DDD do Telefone")},
                                                  {QStringLiteral("NuFoneAssinante"), QStringLiteral("Número do Telefone")}};

// A caption of the file layout as the printed declaration shows it: without the notes on the file's
// digits ("(ddmmaaaa)", "(valor com centavos)"), since the values print formatted, and without the
// final full stop.
QString rotulo(const QString &descricao)
{
    static const QRegularExpression formato(QStringLiteral("\\((?:[dma]+|valor com centavos)\\)"));
    static const QRegularExpression colado(QStringLiteral("(\\S)\\("));
    QString r = descricao;
    r.remove(formato);
    r.replace(colado, QStringLiteral("\\1 ("));
    r = r.simplified();
    if (r.endsWith(QLatin1Char('.')))
        r.chop(1);
    return r;
}

struct CampoImpresso {
    QString nome;   // the field, as the table spells it
    QString coluna; // its column in qrConsulta
    QString rotulo;
};

// The fields of `tabela` that the declaration file carries, under the captions of the file layout: first
// those of the table's own record `registro`, in their order there, then those that another record
// carries (a link's own linked CEI and inscription type are fields of the establishment record). What the
// file does not carry (counters, sequence numbers, markers, the descriptions looked up for the screens)
// is the program's own and is not printed.
QList<CampoImpresso> montaCamposImpressos(const QString &tabela, int registro)
{
    const TableDef &t = Schema::require(tabela);
    QList<CampoImpresso> campos;
    QSet<QString> vistos;
    QList<int> registros{registro};
    for (int outro : {0, 1, 2, 9})
        if (outro != registro)
            registros << outro;
    for (int r : registros) {
        for (const ItemLayout &i : LayoutRegistro(r)) {
            const FieldDef *f = i.Descricao.isEmpty() ? nullptr : t.field(i.Valor);
            if (!f || vistos.contains(f->name))
                continue;
            vistos << f->name;
            campos << CampoImpresso{f->name, ColunaDeclaracao(tabela, f->name),
                                    kRotulosResponsavel.value(f->name, rotulo(i.Descricao))};
        }
    }
    return campos;
}

// The responsible row (record 0), the establishment (1) and the link (2): worked out once, since the
// complete report prints the link's fields for every link.
const QList<CampoImpresso> &camposImpressos(int registro)
{
    static const QList<CampoImpresso> responsavel = montaCamposImpressos(QStringLiteral("bd8resp"), 0);
    static const QList<CampoImpresso> estabelecimento = montaCamposImpressos(QStringLiteral("bd8emp"), 1);
    static const QList<CampoImpresso> vinculo = montaCamposImpressos(QStringLiteral("bd8vinc"), 2);
    return registro == 0 ? responsavel : registro == 1 ? estabelecimento : vinculo;
}

QList<QPair<QString, QString>> camposDoRegistro(Query &q, int registro, const QString &tipo, int ano,
                                                const QString &encerramento)
{
    QList<QPair<QString, QString>> pares;
    for (const CampoImpresso &c : camposImpressos(registro))
        pares << qMakePair(c.rotulo, TextoCampo(c.nome, q.FieldByName(c.coluna).AsString(), tipo, ano, encerramento));
    return pares;
}

// Two pairs to a line; a pair too long for half the line takes a whole one, so that the long captions of
// the contribution fields do not wrap into narrow columns.
void imprimeCampos(MontadorRelatorio &r, const QList<QPair<QString, QString>> &pares)
{
    constexpr int meiaLinha = ColunasPagina / 2 - 1;
    QList<QPair<QString, QString>> curtos;
    for (const auto &par : pares) {
        if (par.first.size() + 2 + par.second.size() <= meiaLinha) {
            curtos << par;
            continue;
        }
        r.campos(curtos, 2);
        curtos.clear();
        r.campos({par}, 1);
    }
    r.campos(curtos, 2);
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
            imprimeCampos(r, camposDoRegistro(q, 1, tipo, ano, encerramento));
            r.linhaEmBranco();
            r.texto(QStringLiteral("Responsável pela declaração"), true);
            imprimeCampos(r, camposDoRegistro(q, 0, campo(q, QStringLiteral("InInscrResponsavel")), ano, encerramento));
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
            imprimeCampos(r, camposDoRegistro(q, 2, tipo, ano, encerramento));
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
    // The year is in the page header; the date parameter ends in " às ", which the time completes.
    const QList<QPair<QString, QString>> parametros{
        {QStringLiteral("CREA"), QStringLiteral("CREA")},
        {QStringLiteral("CNPJ"), QStringLiteral("CNPJ/CEI/CPF do responsável")},
        {QStringLiteral("QtdVinc"), QStringLiteral("Quantidade de vínculos")},
        {QStringLiteral("QtdEstab"), QStringLiteral("Quantidade de estabelecimentos")},
        {QStringLiteral("CRCArqVorn"), QStringLiteral("CRC do arquivo VORN")},
        {QStringLiteral("Data"), QStringLiteral("Data da transmissão")},
        {QStringLiteral("Hash"), QStringLiteral("Código de controle (hash)")},
        {QStringLiteral("CRCRecibo"), QStringLiteral("CRC do recibo")}};
    QList<QPair<QString, QString>> pares;
    for (const auto &par : parametros) {
        QString valor = p.GetParam(par.first);
        if (par.first == QLatin1String("Data"))
            valor += p.GetParam(QStringLiteral("Hora"));
        pares << qMakePair(par.second, valor);
    }
    r.campos(pares, 1);
    r.termina();
}

} // namespace gdvorn
