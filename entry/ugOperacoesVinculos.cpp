#include "entry/ugOperacoesVinculos.h"
#include "entry/ugDadosEmpreg.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/base/Schema.h"
#include "app/base/Statement.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/ugFuncoes.h"

#include <QHash>

#include <algorithm>

namespace gdvorn {

namespace {

const QString kVinc = QStringLiteral("bd8vinc");
const QString kZeros14 = QStringLiteral("00000000000000");

TdmEntradaDados &modulo()
{
    if (!dmEntradaDados)
        throw DatabaseError(QStringLiteral("The entry data module is not open."));
    return *dmEntradaDados;
}

void ligaChave(Query &q, const ChaveEstabelecimento &estab, const char *ano, const char *inscricao,
               const char *prefixo)
{
    // A null text would bind as NULL and match nothing.
    auto texto = [](const QString &v) { return v.isNull() ? QStringLiteral("") : v; };
    const QString tabela = QStringLiteral("bd8emp");
    q.ParamByName(QLatin1String(ano)).setAsStored(tabela, QStringLiteral("AnBase"), texto(estab.AnBase));
    q.ParamByName(QLatin1String(inscricao))
        .setAsStored(tabela, QStringLiteral("CoCgcCeiEstabelecimento"), texto(estab.Inscricao));
    q.ParamByName(QLatin1String(prefixo))
        .setAsStored(tabela, QStringLiteral("NuPrefixoEstabelecimento"), texto(estab.Prefixo));
}

// The key fields' widths: every key value is bound as the field stores it.
const QVector<int> &largurasChave()
{
    static const QVector<int> larguras = [] {
        QVector<int> r;
        const TableDef &def = Schema::require(kVinc);
        for (const QString &campo : def.primaryIndex()->fields)
            r << def.field(campo)->width;
        return r;
    }();
    return larguras;
}

// The statements of one operation run straight on the engine, prepared once: the per-link loops of
// 50,000 links must cost little more than one plain statement over the same rows.
Statement comando(PreparedStatements &preparados, const QString &sql)
{
    return Statement(preparados, sql, kAlias, kVinc);
}

// Binds the establishment's three key values from `primeiro` on.
void ligaEstabelecimento(Statement &st, int primeiro, const ChaveEstabelecimento &estab)
{
    const QVector<int> &larguras = largurasChave();
    st.bindStored(primeiro, estab.AnBase, larguras.at(0));
    st.bindStored(primeiro + 1, estab.Inscricao, larguras.at(1));
    st.bindStored(primeiro + 2, estab.Prefixo, larguras.at(2));
}

// Binds the establishment's three key values and the remaining eight of `chave` from `primeiro` on.
void ligaVinculo(Statement &st, int primeiro, const ChaveEstabelecimento &estab, const ChaveVinculo &chave)
{
    ligaEstabelecimento(st, primeiro, estab);
    const QVector<int> &larguras = largurasChave();
    for (int i = 3; i < larguras.size(); ++i)
        st.bindStored(primeiro + i, chave.value(i), larguras.at(i));
}

// "AnBase = ?n AND ..." over the eleven key fields, numbered from `primeiro`.
QString condicaoChave(int primeiro)
{
    QStringList partes;
    const QStringList &campos = CamposChaveVinculo();
    for (int i = 0; i < campos.size(); ++i)
        partes << QStringLiteral("%1 = ?%2").arg(quotedIdentifier(campos.at(i))).arg(primeiro + i);
    return partes.join(QStringLiteral(" AND "));
}

QString tabelaVinculos() { return Schema::require(kVinc).qualifiedName(); }

// The loop of a per-link operation: the bar counts the links; true when the user confirmed a cancel.
template <typename Acao>
bool paraCadaVinculo(const QList<ChaveVinculo> &vinculos, Progresso &progresso, Acao acao)
{
    progresso.setRange(0, int(vinculos.size()));
    progresso.setPosition(0);
    for (int i = 0; i < vinculos.size(); ++i) {
        acao(vinculos.at(i));
        progresso.setPosition(i + 1);
        if (progresso.Interrompido())
            return true;
    }
    return false;
}

void IncluiEstabelecimentoDestino(const DestinoTransferencia &destino, int vinculos)
{
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    empresa.Append();
    auto campo = [&](const char *nome, const QString &valor) {
        empresa.FieldByName(QLatin1String(nome)).setAsString(valor);
    };
    campo("AnBase", destino.Chave.AnBase);
    campo("CoCgcCeiEstabelecimento", destino.Chave.Inscricao);
    campo("NuPrefixoEstabelecimento", destino.Chave.Prefixo);
    campo("InInscrEstabelecimento", destino.Tipo);
    campo("InVornNegEstabelecimento", QStringLiteral("0"));
    campo("CoCgcVinculado", kZeros14);
    campo("NuEnderecoEstabelecimento", QStringLiteral("000000"));
    campo("CoCepEstabelecimento", QStringLiteral("00000000"));
    campo("CoMunicipio", QStringLiteral("0000000"));
    campo("CoNaturezaJuridica", QStringLiteral("0000"));
    campo("NuProprietEstabelecimento", QStringLiteral("00"));
    campo("NuVinculosEstabelecimento", CompletaZeros(QString::number(vinculos), 6));
    campo("NuEstrangeirosEstabelec", QStringLiteral("00000"));
    for (const char *nome : {"InPorte", "InOptanteSimples", "InParticipaPAT"})
        campo(nome, QStringLiteral(" "));
    campo("NuVinculoPatMaior5", QStringLiteral("000000"));
    campo("NuVinculoPatMenor5", QStringLiteral("000000"));
    for (const char *nome : {"PoServicoProprio", "PoAdmCozinha", "PoRefeicaoConvenio", "PoRefeicaoTransportadora",
                             "PoCestaAlimento", "PoAlimentacaoConvenio"})
        campo(nome, QStringLiteral("000"));
    campo("InAtividadeAnoBase", QStringLiteral("1"));
    campo("InOpcaoAberta", QStringLiteral("3"));
    empresa.Post();
    empresa.Close();
}

// Moves each link by its key; returns the links moved, nullopt after a confirmed cancel.
std::optional<int> MoveVinculos(const ChaveEstabelecimento &origem, const DestinoTransferencia &destino,
                                const QList<ChaveVinculo> &vinculos, Progresso &progresso)
{
    PreparedStatements preparados;
    Statement move = comando(preparados,
        QStringLiteral("UPDATE %1 SET CoCgcCeiEstabelecimento = ?1, NuPrefixoEstabelecimento = ?2, "
                       "InInscrEstabelecimento = ?3, CoCgcVinculado = ?4 WHERE %2")
            .arg(tabelaVinculos(), condicaoChave(5)));
    move.bindStored(1, kVinc, QStringLiteral("CoCgcCeiEstabelecimento"), destino.Chave.Inscricao);
    move.bindStored(2, kVinc, QStringLiteral("NuPrefixoEstabelecimento"), destino.Chave.Prefixo);
    move.bindStored(3, kVinc, QStringLiteral("InInscrEstabelecimento"), destino.Tipo);
    move.bindStored(4, kVinc, QStringLiteral("CoCgcVinculado"), kZeros14);
    int movidos = 0;
    const bool cancelado = paraCadaVinculo(vinculos, progresso, [&](const ChaveVinculo &chave) {
        ligaVinculo(move, 5, origem, chave);
        movidos += move.exec();
    });
    noteDataChanged(kAlias, kVinc);
    if (cancelado)
        return std::nullopt;
    return movidos;
}

void DiminuiVinculosOrigem(const ChaveEstabelecimento &origem) { RecontaVinculosEstab(origem); }

void DesmarcaDestino(const ChaveEstabelecimento &destino)
{
    RecontaVinculosEstab(destino);
    MarcaOperacao(destino, QString());
}

} // namespace

const QStringList &CamposChaveVinculo()
{
    static const QStringList campos = Schema::require(kVinc).primaryIndex()->fields;
    return campos;
}

QList<VinculoMarcavel> ListaVinculos(const ChaveEstabelecimento &estab, const QString &ordem)
{
    const QStringList &campos = CamposChaveVinculo();
    Query q;
    q.setSql(QStringList{QStringLiteral("select ") + campos.join(QStringLiteral(", ")), QStringLiteral("from BD8Vinc"),
                         QStringLiteral("where AnBase = :anobase"),
                         QStringLiteral("and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento"),
                         QStringLiteral("and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento"),
                         (ordem == QLatin1String("0") ? QStringLiteral("order by CoPisPasepEmpregado, ")
                                                      : QStringLiteral("order by NoEmpregado, ")) +
                             campos.join(QStringLiteral(", "))});
    ligaChave(q, estab, "anobase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento");
    q.Open();
    QList<VinculoMarcavel> r;
    for (; !q.Eof(); q.Next()) {
        VinculoMarcavel v;
        for (const QString &c : campos)
            v.Chave << q.FieldByName(c).AsString();
        v.Linha = LinhaVinculo(q.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString(),
                               q.FieldByName(QStringLiteral("DaAdmissaoEmpregado")).AsString(),
                               q.FieldByName(QStringLiteral("NoEmpregado")).AsString(), ordem);
        r << v;
    }
    q.Close();
    return r;
}

QList<EstabelecimentoListado> ListaEstabelecimentosComVinculos(const QString &ano)
{
    QList<ChaveEstabelecimento> chaves;
    const QStringList linhas = LinhasEstabelecimentosCombo(ano, QStringLiteral("N"), &chaves);
    QList<EstabelecimentoListado> r;
    for (int i = 0; i < linhas.size(); ++i)
        r << EstabelecimentoListado{linhas.at(i), chaves.at(i)};
    return r;
}

std::optional<std::pair<int, int>> ColisaoNaTransferencia(const QList<ChaveVinculo> &vinculos)
{
    // The key as the destination has it: the fields the transfer overwrites are left out.
    const QStringList &campos = CamposChaveVinculo();
    QList<int> mantidos;
    for (int i = 0; i < campos.size(); ++i)
        if (!QStringList{QStringLiteral("AnBase"), QStringLiteral("CoCgcCeiEstabelecimento"),
                         QStringLiteral("NuPrefixoEstabelecimento"), QStringLiteral("CoCgcVinculado"),
                         QStringLiteral("InInscrEstabelecimento")}
                 .contains(campos.at(i), Qt::CaseInsensitive))
            mantidos << i;
    QHash<QStringList, int> vistos;
    for (int i = 0; i < vinculos.size(); ++i) {
        QStringList chave;
        for (int c : std::as_const(mantidos))
            chave << vinculos.at(i).value(c);
        const auto it = vistos.constFind(chave);
        if (it != vistos.constEnd())
            return std::make_pair(it.value(), i);
        vistos.insert(chave, i);
    }
    return std::nullopt;
}

std::optional<QString> CampoEstabelecimento(const ChaveEstabelecimento &estab, const QString &campo)
{
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    if (!empresa.FindKey({estab.AnBase, estab.Inscricao, estab.Prefixo}))
        return std::nullopt;
    return empresa.FieldByName(campo).AsString().trimmed();
}

void MarcaOperacao(const ChaveEstabelecimento &estab, const QString &marca)
{
    Query q;
    q.setSql(QStringList{QStringLiteral("update bd8Emp set InOpcaoAberta = :InOpcaoAberta"),
                         QStringLiteral("Where CoCGCCeiEstabelecimento= :strCGC and NuPrefixoEstabelecimento= :strPrefixo"),
                         QStringLiteral("and anBase= :strAnoBase")});
    q.ParamByName(QStringLiteral("InOpcaoAberta")).setAsString(marca.isNull() ? QStringLiteral("") : marca);
    ligaChave(q, estab, "strAnoBase", "strCGC", "strPrefixo");
    q.ExecSQL();
}

std::optional<int> ExcluiVinculosMarcados(const ChaveEstabelecimento &estab, const QList<ChaveVinculo> &vinculos,
                                          Progresso &progresso)
{
    modulo();
    progresso.limpaCancelamento();
    MarcaOperacao(estab, QStringLiteral("4"));
    {
        Transaction transacao;
        PreparedStatements preparados;
        Statement apaga =
            comando(preparados, QStringLiteral("DELETE FROM %1 WHERE %2").arg(tabelaVinculos(), condicaoChave(1)));
        int excluidos = 0;
        const bool cancelado = paraCadaVinculo(vinculos, progresso, [&](const ChaveVinculo &chave) {
            ligaVinculo(apaga, 1, estab, chave);
            excluidos += apaga.exec();
        });
        noteDataChanged(kAlias, kVinc);
        if (!cancelado) {
            RecontaVinculosEstab(estab);
            MarcaOperacao(estab, QString());
            transacao.commit();
            return excluidos;
        }
    }
    MarcaOperacao(estab, QString());
    return std::nullopt;
}

std::optional<int> TransfereVinculos(const ChaveEstabelecimento &origem, const DestinoTransferencia &destino,
                                     const QList<ChaveVinculo> &vinculos, Progresso &progresso)
{
    modulo();
    progresso.limpaCancelamento();
    DestinoTransferencia d = destino;
    d.Chave.Inscricao = storedText(QStringLiteral("bd8emp"), QStringLiteral("CoCgcCeiEstabelecimento"), d.Chave.Inscricao);
    d.Chave.Prefixo = storedText(QStringLiteral("bd8emp"), QStringLiteral("NuPrefixoEstabelecimento"), d.Chave.Prefixo);
    if (ColisaoNaTransferencia(vinculos))
        throw DatabaseError(QStringLiteral("Dois dos empregados escolhidos ficariam com a mesma chave no destino."));
    Transaction transacao;
    IncluiEstabelecimentoDestino(d, int(vinculos.size()));
    const std::optional<int> movidos = MoveVinculos(origem, d, vinculos, progresso);
    if (!movidos)
        return std::nullopt;
    DiminuiVinculosOrigem(origem);
    DesmarcaDestino(d.Chave);
    transacao.commit();
    return movidos;
}

std::optional<int> AlteraCodigoVinculo(const ChaveEstabelecimento &estab, const QString &codigo,
                                       Progresso &progresso)
{
    modulo();
    progresso.limpaCancelamento();
    QString descricao;
    {
        Table tipos(QStringLiteral("tb8vinc"));
        tipos.Open();
        if (tipos.FindKey({codigo}))
            descricao = tipos.FieldByName(QStringLiteral("NoVinculo")).AsString().left(100);
    }
    MarcaOperacao(estab, QStringLiteral("5"));
    {
        Transaction transacao;
        PreparedStatements preparados;
        const QString onde = QStringLiteral("AnBase = ?1 AND CoCgcCeiEstabelecimento = ?2 AND NuPrefixoEstabelecimento = ?3");
        // The links' row numbers in order, then the slices as ranges of them.
        Statement linhas = comando(
            preparados, QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY rowid").arg(tabelaVinculos(), onde));
        ligaEstabelecimento(linhas, 1, estab);
        QVector<qint64> rowids;
        while (linhas.step())
            rowids << linhas.columnInt64(0);
        linhas.reset();

        Statement altera = comando(preparados,
            QStringLiteral("UPDATE %1 SET CoVinculo = ?4, TxtVinculo = ?5 WHERE %2 AND rowid BETWEEN ?6 AND ?7")
                .arg(tabelaVinculos(), onde));
        ligaEstabelecimento(altera, 1, estab);
        altera.bindStored(4, kVinc, QStringLiteral("CoVinculo"), codigo);
        altera.bindStored(5, kVinc, QStringLiteral("TxtVinculo"), descricao);
        progresso.setRange(0, int(rowids.size()));
        progresso.setPosition(0);
        int alterados = 0;
        bool cancelado = false;
        for (qsizetype inicio = 0; inicio < rowids.size() && !cancelado; inicio += FatiaCodigoVinculo) {
            const qsizetype fim = std::min<qsizetype>(inicio + FatiaCodigoVinculo, rowids.size()) - 1;
            altera.bindInt64(6, rowids.at(inicio));
            altera.bindInt64(7, rowids.at(fim));
            alterados += altera.exec();
            progresso.setPosition(int(fim + 1));
            cancelado = progresso.Interrompido();
        }
        noteDataChanged(kAlias, kVinc);
        if (!cancelado) {
            MarcaOperacao(estab, QString());
            transacao.commit();
            return alterados;
        }
    }
    MarcaOperacao(estab, QString());
    return std::nullopt;
}

} // namespace gdvorn
