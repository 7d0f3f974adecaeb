#include "entry/ugOperacoesVinculos.h"
#include "entry/ugDadosEmpreg.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Progresso.h"
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

// The statements of one operation run straight on the engine, prepared once: a step over 1,000 links
// must cost little more than one plain statement over the same rows.
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

QString tabelaVinculos() { return Schema::require(kVinc).qualifiedName(); }

// The chosen links go to the engine once, into a key table of the connection's own (created inside the
// operation's transaction, so that a rollback or a crash takes it away too), numbered from 1 in list
// order; each step is then one statement over a range of those numbers. The table holds the eight key
// fields after the establishment's three, which every chosen link shares and the steps bind.
const QString kChaves = QStringLiteral("temp.ChavesEscolhidas");
constexpr int FatiaChaves = 64;

// Field `i` of a key, blank when the key is shorter (without a copy of the text).
const QString &campoDe(const ChaveVinculo &chave, int i)
{
    static const QString vazio;
    return i < chave.size() ? chave.at(i) : vazio;
}

void gravaChaves(PreparedStatements &preparados, const QList<ChaveVinculo> &vinculos)
{
    const QStringList &campos = CamposChaveVinculo();
    const QVector<int> &larguras = largurasChave();
    QStringList colunas;
    for (int i = 3; i < campos.size(); ++i)
        colunas << quotedIdentifier(campos.at(i));
    comando(preparados, QStringLiteral("DROP TABLE IF EXISTS %1").arg(kChaves)).exec();
    comando(preparados, QStringLiteral("CREATE TABLE %1 (n INTEGER PRIMARY KEY, %2)")
                            .arg(kChaves, colunas.join(QStringLiteral(", "))))
        .exec();
    // Links go FatiaChaves to an INSERT, so that the engine's cost of a run is paid once for them. A
    // statement keeps its values bound from one run to the next: a field the same as that of the link
    // FatiaChaves before (most of them: the CEI vinculado, the type) is not bound again.
    const int porLinha = int(campos.size()) - 2; // n and the eight fields
    auto insercao = [&](int linhas) {
        QStringList valores;
        for (int j = 0; j < linhas; ++j) {
            QStringList parametros;
            for (int c = 1; c <= porLinha; ++c)
                parametros << QStringLiteral("?%1").arg(j * porLinha + c);
            valores << QStringLiteral("(%1)").arg(parametros.join(QStringLiteral(", ")));
        }
        return comando(preparados,
                       QStringLiteral("INSERT INTO %1 VALUES %2").arg(kChaves, valores.join(QStringLiteral(", "))));
    };
    Statement cheia = insercao(FatiaChaves);
    const int total = int(vinculos.size());
    for (int inicio = 0; inicio < total; inicio += FatiaChaves) {
        const int linhas = std::min(FatiaChaves, total - inicio);
        const bool repete = linhas == FatiaChaves && inicio > 0;
        Statement insere = linhas == FatiaChaves ? cheia : insercao(linhas);
        for (int j = 0; j < linhas; ++j) {
            const ChaveVinculo &chave = vinculos.at(inicio + j);
            const ChaveVinculo *anterior = repete ? &vinculos.at(inicio + j - FatiaChaves) : nullptr;
            insere.bindInt64(j * porLinha + 1, inicio + j + 1);
            for (int i = 3; i < larguras.size(); ++i) {
                const QString &valor = campoDe(chave, i);
                if (!anterior || campoDe(*anterior, i) != valor)
                    insere.bindStored(j * porLinha + i - 1, valor, larguras.at(i));
            }
        }
        insere.exec();
    }
}

void apagaChaves(PreparedStatements &preparados)
{
    comando(preparados, QStringLiteral("DROP TABLE %1").arg(kChaves)).exec();
}

// The rows of the establishment (?1-?3) whose keys are those of the chosen links numbered ?4 to ?5: each
// chosen key is one look-up in the primary index. CROSS JOIN keeps the key table outside; the planner,
// knowing nothing of it, would otherwise walk all the establishment's links inside every step.
QString linhasEscolhidas()
{
    const QStringList &campos = CamposChaveVinculo();
    QStringList juncao{QStringLiteral("v.AnBase = ?1"), QStringLiteral("v.CoCgcCeiEstabelecimento = ?2"),
                       QStringLiteral("v.NuPrefixoEstabelecimento = ?3")};
    for (int i = 3; i < campos.size(); ++i)
        juncao << QStringLiteral("v.%1 = k.%1").arg(quotedIdentifier(campos.at(i)));
    return QStringLiteral("rowid IN (SELECT v.rowid FROM %1 k CROSS JOIN %2 v ON %3 WHERE k.n BETWEEN ?4 AND ?5)")
        .arg(kChaves, tabelaVinculos(), juncao.join(QStringLiteral(" AND ")));
}

// Runs `passo` (a statement over linhasEscolhidas, the establishment bound) over the chosen links in
// slices of FatiaVinculos; the bar counts the links. Returns the rows changed, nullopt when the user
// confirmed a cancel.
std::optional<int> porFatias(Statement &passo, int vinculos, Progresso &progresso)
{
    progresso.setRange(0, vinculos);
    progresso.setPosition(0);
    int alterados = 0;
    for (int inicio = 1; inicio <= vinculos; inicio += FatiaVinculos) {
        const int fim = std::min(inicio + FatiaVinculos - 1, vinculos);
        passo.bindInt64(4, inicio);
        passo.bindInt64(5, fim);
        alterados += passo.exec();
        progresso.setPosition(fim);
        if (progresso.Interrompido())
            return std::nullopt;
    }
    return alterados;
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

// Moves the chosen links that are still there; returns the links moved, nullopt after a confirmed cancel.
std::optional<int> MoveVinculos(const ChaveEstabelecimento &origem, const DestinoTransferencia &destino,
                                const QList<ChaveVinculo> &vinculos, Progresso &progresso)
{
    PreparedStatements preparados;
    gravaChaves(preparados, vinculos);
    Statement move = comando(preparados,
        QStringLiteral("UPDATE %1 SET CoCgcCeiEstabelecimento = ?6, NuPrefixoEstabelecimento = ?7, "
                       "InInscrEstabelecimento = ?8, CoCgcVinculado = ?9 WHERE %2")
            .arg(tabelaVinculos(), linhasEscolhidas()));
    ligaEstabelecimento(move, 1, origem);
    move.bindStored(6, kVinc, QStringLiteral("CoCgcCeiEstabelecimento"), destino.Chave.Inscricao);
    move.bindStored(7, kVinc, QStringLiteral("NuPrefixoEstabelecimento"), destino.Chave.Prefixo);
    move.bindStored(8, kVinc, QStringLiteral("InInscrEstabelecimento"), destino.Tipo);
    move.bindStored(9, kVinc, QStringLiteral("CoCgcVinculado"), kZeros14);
    const std::optional<int> movidos = porFatias(move, int(vinculos.size()), progresso);
    noteDataChanged(kAlias, kVinc);
    if (movidos)
        apagaChaves(preparados);
    return movidos;
}

// Runs `operacao` (one transaction that clears the marker before it commits) with the establishment's marker
// `marca` committed before it. A cancel (nullopt) or a failure rolls the transaction back and clears the
// marker again, so that nothing is left changed; a run that dies leaves the marker for the next start.
template <typename Operacao>
std::optional<int> sobMarcador(const ChaveEstabelecimento &estab, const QString &marca, Operacao operacao)
{
    MarcaOperacao(estab, marca);
    std::optional<int> feitos;
    try {
        feitos = operacao();
    } catch (...) {
        DesmarcaAposFalha(estab);
        throw;
    }
    if (!feitos)
        MarcaOperacao(estab, QString());
    return feitos;
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
    // The establishment's links walked in key order (which is the PIS order) by the table layer's cursor,
    // a page at a time and reading only the key; the name order sorts them after, ties staying in key order.
    const QStringList &campos = CamposChaveVinculo();
    const TableDef &def = Schema::require(kVinc);
    QList<FieldDef> declarados;
    for (const QString &c : campos)
        declarados << *def.field(c);
    Table vinculos(kVinc);
    vinculos.setFieldDeclarations(declarados);
    vinculos.Open();
    QList<VinculoMarcavel> r;
    if (!vinculos.FindKey({estab.AnBase, estab.Inscricao, estab.Prefixo}))
        return r;
    const int pis = int(campos.indexOf(QStringLiteral("CoPisPasepEmpregado")));
    const int admissao = int(campos.indexOf(QStringLiteral("DaAdmissaoEmpregado")));
    const int nome = int(campos.indexOf(QStringLiteral("NoEmpregado")));
    // The establishment as stored, to tell where its links end.
    const QVector<int> &larguras = largurasChave();
    const QString ano = storedText(estab.AnBase, larguras.at(0)), inscricao = storedText(estab.Inscricao, larguras.at(1)),
                  prefixo = storedText(estab.Prefixo, larguras.at(2));
    for (; !vinculos.Eof(); vinculos.Next()) {
        VinculoMarcavel v;
        v.Chave.reserve(campos.size());
        for (int i = 0; i < campos.size(); ++i)
            v.Chave << vinculos.Fields(i).AsString();
        if (v.Chave.at(0) != ano || v.Chave.at(1) != inscricao || v.Chave.at(2) != prefixo)
            break;
        v.Linha = LinhaVinculo(v.Chave.at(pis), v.Chave.at(admissao), v.Chave.at(nome), ordem);
        r << v;
    }
    if (ordem != QLatin1String("0"))
        std::stable_sort(r.begin(), r.end(), [nome](const VinculoMarcavel &a, const VinculoMarcavel &b) {
            return a.Chave.at(nome) < b.Chave.at(nome);
        });
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
    execWrite(QStringLiteral("update bd8Emp set InOpcaoAberta = ?1 where AnBase = ?2 and CoCgcCeiEstabelecimento = ?3 "
                             "and NuPrefixoEstabelecimento = ?4"),
              [&](Statement &s) {
                  s.bind(1, marca.isNull() ? QStringLiteral("") : marca);
                  ligaEstabelecimento(s, 2, estab);
              });
}

void DesmarcaAposFalha(const ChaveEstabelecimento &estab)
{
    try {
        MarcaOperacao(estab, QString());
    } catch (const EngineError &) {
        // The operation's own error is the one to report; a marker that cannot be cleared either stays as
        // after a crash, and its notice clears it at the next choice of the establishment.
    }
}

std::optional<int> ExcluiVinculosMarcados(const ChaveEstabelecimento &estab, const QList<ChaveVinculo> &vinculos,
                                          Progresso &progresso)
{
    modulo();
    progresso.limpaCancelamento();
    return sobMarcador(estab, QStringLiteral("4"), [&]() -> std::optional<int> {
        Transaction transacao;
        PreparedStatements preparados;
        gravaChaves(preparados, vinculos);
        Statement apaga =
            comando(preparados, QStringLiteral("DELETE FROM %1 WHERE %2").arg(tabelaVinculos(), linhasEscolhidas()));
        ligaEstabelecimento(apaga, 1, estab);
        const std::optional<int> excluidos = porFatias(apaga, int(vinculos.size()), progresso);
        noteDataChanged(kAlias, kVinc);
        if (!excluidos)
            return std::nullopt;
        apagaChaves(preparados);
        RecontaVinculosEstab(estab);
        MarcaOperacao(estab, QString());
        transacao.commit();
        return excluidos;
    });
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
    return sobMarcador(estab, QStringLiteral("5"), [&]() -> std::optional<int> {
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
        for (qsizetype inicio = 0; inicio < rowids.size() && !cancelado; inicio += FatiaVinculos) {
            const qsizetype fim = std::min<qsizetype>(inicio + FatiaVinculos, rowids.size()) - 1;
            altera.bindInt64(6, rowids.at(inicio));
            altera.bindInt64(7, rowids.at(fim));
            alterados += altera.exec();
            progresso.setPosition(int(fim + 1));
            cancelado = progresso.Interrompido();
        }
        noteDataChanged(kAlias, kVinc);
        if (cancelado)
            return std::nullopt;
        MarcaOperacao(estab, QString());
        transacao.commit();
        return alterados;
    });
}

} // namespace gdvorn
