// The work of the bulk link wizards: exactly the chosen links deleted or moved (by their full key), the
// counts of every establishment touched, the destination's defaults, the code change in slices with its
// description, and the all-or-nothing promise: a confirmed cancel or a run killed halfway leaves the
// tables as they were, with the marker that makes the next choice show 0503 or 0504.

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugIndices.h"
#include "app/ugListas.h"
#include "entry/ugExcluiEstab.h"
#include "entry/ugOperacoesVinculos.h"

#include "LinhasDeclaracao.h"
#include "MorteNoMeio.h"
#include "ProgramaTeste.h"
#include "ScriptedPresenter.h"
#include "ScriptedProgress.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kAno = QStringLiteral("2010");
const QString kCnpj = QStringLiteral("11222333000181");
const QString kDestino = QStringLiteral("00000100000002"); // a CEI
const ChaveEstabelecimento kEstab{kAno, kCnpj, QStringLiteral("00")};
const ChaveEstabelecimento kFilial{kAno, kCnpj, QStringLiteral("01")};

// Every row of a table, in row order, as text.
QStringList linhas(const QString &tabela)
{
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT * FROM %1.%1 ORDER BY rowid").arg(tabela));
    QStringList r;
    while (q.next()) {
        QStringList campos;
        for (int i = 0; i < q.record().count(); ++i)
            campos << q.value(i).toString();
        r << campos.join(QLatin1Char('|'));
    }
    return r;
}

QStringList tudo() { return linhas(QStringLiteral("bd8emp")) + linhas(QStringLiteral("bd8vinc")); }

ChaveVinculo chaveDe(const QString &pis, const QString &nome, const QString &sequencial = QString(),
                     const ChaveEstabelecimento &e = kEstab)
{
    return {e.AnBase, e.Inscricao, e.Prefixo, pis, QStringLiteral("01022009"), nome, sequencial,
            QStringLiteral("00000000000000"), QStringLiteral("1"), QString(), QString()};
}

// The establishment with five links: two of one PIS and admission (told apart by their sequence number),
// one foreigner, one with a zero PIS; and a branch (prefix 01) with one link of the same PIS.
void declaracao()
{
    gravaEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("ACME"),
               {{"NuVinculosEstabelecimento", "000099"}, {"NuEstrangeirosEstabelec", "00009"},
                {"InVornNegEstabelecimento", "0"}});
    gravaEstab(kAno, kCnpj, QStringLiteral("01"), QStringLiteral("ACME FILIAL"), {{"InVornNegEstabelecimento", "0"}});
    gravaVinculo(kAno, kCnpj, "00", "10000000001", "ANA", {{"NuSequencialRegistro", "000001"}});
    gravaVinculo(kAno, kCnpj, "00", "10000000001", "ANA", {{"NuSequencialRegistro", "000002"}});
    gravaVinculo(kAno, kCnpj, "00", "10000000002", "BRUNO", {{"CoNacionalidade", "20"}});
    gravaVinculo(kAno, kCnpj, "00", "00000000000", QString(52, QLatin1Char('Z')));
    gravaVinculo(kAno, kCnpj, "00", "10000000003", "CARLA", {{"CoNacionalidade", "10"}});
    gravaVinculo(kAno, kCnpj, "01", "10000000001", "ANA");
}

// `n` more links of the establishment, PIS numbers from `pis`, written with one statement.
void muitosVinculos(int n, qint64 pis, const QString &extra = QStringLiteral("'10', 'ANTIGO'"))
{
    Transaction t;
    execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                           "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                           "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, CoCgcVinculado, "
                           "InInscrEstabelecimento, CoVinculo, TxtVinculo) "
                           "SELECT '2010', '%2', '00', substr('00000000000' || (%3 + x), -11), '01022009', 'EMPREGADO ' || x, "
                           "'00000000000000', '1', %4 FROM n")
                .arg(n)
                .arg(kCnpj)
                .arg(pis)
                .arg(extra));
    t.commit();
}

// The keys of the links muitosVinculos wrote, in the order written.
QList<ChaveVinculo> chavesDeMuitos()
{
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT CoPisPasepEmpregado, NoEmpregado FROM bd8vinc.bd8vinc "
                          "WHERE NoEmpregado LIKE 'EMPREGADO %' ORDER BY rowid"));
    QList<ChaveVinculo> r;
    while (q.next())
        r << chaveDe(q.value(0).toString(), q.value(1).toString());
    return r;
}

QString campoVinculo(const ChaveVinculo &chave, const QString &campo)
{
    Table t(QStringLiteral("bd8vinc"));
    t.Open();
    return t.FindKey(chave) ? t.FieldByName(campo).AsString() : QStringLiteral("<none>");
}

QString textoMensagem(const QString &codigo)
{
    Table t(QStringLiteral("tb8msg"));
    t.Open();
    return t.FindKey({codigo}) ? t.FieldByName(QStringLiteral("TxMensagem")).AsString().trimmed() : codigo;
}

enum class Operacao { Exclusao, Transferencia, Codigo, ExclusaoEstab };

// The operation on three chosen links (and on `mais` more).
std::optional<int> executa(Operacao op, Progresso &p, const QList<ChaveVinculo> &mais = {})
{
    const QList<ChaveVinculo> alvo = QList<ChaveVinculo>{chaveDe("10000000001", "ANA", "000002"), chaveDe("10000000002", "BRUNO"),
                                                         chaveDe("10000000003", "CARLA")} +
                                     mais;
    switch (op) {
    case Operacao::Exclusao:
        return ExcluiVinculosMarcados(kEstab, alvo, p);
    case Operacao::Transferencia:
        return TransfereVinculos(kEstab, {{kAno, kDestino, QStringLiteral("00")}, QStringLiteral("3")}, alvo, p);
    case Operacao::ExclusaoEstab:
        MarcaExclusao(kEstab);
        return ExcluiEstabelecimento(kEstab, p);
    case Operacao::Codigo:
        break;
    }
    return AlteraCodigoVinculo(kEstab, QStringLiteral("20"), p);
}

} // namespace

Q_DECLARE_METATYPE(Operacao)

class tst_ugOperacoesVinculos : public QObject {
    Q_OBJECT

private slots:
    void init() { m_programa = std::make_unique<ProgramaTeste>(); }
    void cleanup() { m_programa.reset(); }

    void listaComChaves();
    void excluiExatamenteOsMarcados();
    void transfereParaNovoDestino();
    void colisaoNaTransferencia_data();
    void colisaoNaTransferencia();
    void variosPassos_data();
    void variosPassos();
    void codigoEmFatiasComDescricao();
    void cancelamentoConfirmadoNadaMuda_data();
    void cancelamentoConfirmadoNadaMuda();
    void mortaNoMeioNadaMuda_data();
    void mortaNoMeioNadaMuda();
    void discoCheioNadaMuda_data();
    void discoCheioNadaMuda();

private:
    std::unique_ptr<ProgramaTeste> m_programa;
};

void tst_ugOperacoesVinculos::listaComChaves()
{
    declaracao();
    gravaEstab(kAno, QStringLiteral("00000200000009"), QStringLiteral("00"), QStringLiteral("SEM"),
               {{"InVornNegEstabelecimento", "1"}});
    const QList<VinculoMarcavel> porNome = ListaVinculos(kEstab, QStringLiteral("1"));
    QCOMPARE(porNome.size(), 5);
    QCOMPARE(porNome.first().Linha.left(52).trimmed(), QStringLiteral("ANA"));
    // Same PIS, admission and name: the two lines keep their own keys, in key order.
    QCOMPARE(porNome.at(0).Chave.value(6), QStringLiteral("000001"));
    QCOMPARE(porNome.at(1).Chave.value(6), QStringLiteral("000002"));
    QCOMPARE(porNome.last().Linha.left(52), QString(52, QLatin1Char('Z')));
    QCOMPARE(porNome.last().Chave.size(), CamposChaveVinculo().size());

    const QList<EstabelecimentoListado> estabs = ListaEstabelecimentosComVinculos(kAno);
    QCOMPARE(estabs.size(), 2); // the declaration without employees is not offered
    for (const EstabelecimentoListado &e : estabs)
        QCOMPARE(e.Chave.Inscricao, kCnpj);
}

void tst_ugOperacoesVinculos::excluiExatamenteOsMarcados()
{
    declaracao();
    ScriptedProgress barra;
    const QList<ChaveVinculo> marcados{chaveDe("10000000001", "ANA", "000002"),
                                       chaveDe("00000000000", QString(52, QLatin1Char('Z'))),
                                       chaveDe("10000000002", "BRUNO"),
                                       chaveDe("10000000009", "JA EXCLUIDO")};
    QCOMPARE(ExcluiVinculosMarcados(kEstab, marcados, barra).value_or(-1), 3);
    QCOMPARE(campoVinculo(chaveDe("10000000001", "ANA", "000001"), "NoEmpregado"), QStringLiteral("ANA"));
    QCOMPARE(campoVinculo(marcados.first(), "NoEmpregado"), QStringLiteral("<none>"));
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, QStringLiteral("00")), 2);
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, QStringLiteral("01")), 1);
    // Both counts recounted: the foreigner went with BRUNO.
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "NuVinculosEstabelecimento"), QStringLiteral("000002"));
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "NuEstrangeirosEstabelec"), QStringLiteral("00000"));
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "InOpcaoAberta"), QString());
    QCOMPARE(barra.maximum(), 4);
    QCOMPARE(barra.position(), 4);
}

void tst_ugOperacoesVinculos::transfereParaNovoDestino()
{
    declaracao();
    ScriptedProgress barra;
    const QList<ChaveVinculo> marcados{chaveDe("10000000001", "ANA", "000001"), chaveDe("10000000002", "BRUNO")};
    const ChaveEstabelecimento destino{kAno, kDestino, QStringLiteral("00")};
    QCOMPARE(TransfereVinculos(kEstab, {destino, QStringLiteral("3")}, marcados, barra).value_or(-1), 2);

    // The moved links carry the destination's inscription, prefix, type and a linked CEI of zeros, so the
    // destination's employee list finds them; the second ANA stays.
    ChaveVinculo movido = marcados.first();
    movido[1] = kDestino;
    movido[8] = QStringLiteral("3");
    QCOMPARE(campoVinculo(movido, "NoEmpregado"), QStringLiteral("ANA"));
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kDestino), 2);
    QCOMPARE(campoVinculo(chaveDe("10000000001", "ANA", "000002"), "NoEmpregado"), QStringLiteral("ANA"));

    QCOMPARE(campoEstab(kAno, kCnpj, "00", "NuVinculosEstabelecimento"), QStringLiteral("000003"));
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "NuEstrangeirosEstabelec"), QStringLiteral("00000"));
    const QStringList esperado{"000002", "00001", "", "3", "0", "00000000000000", "000000", "00000000", "0000000",
                               "0000", "00", "", "000", "1", ""};
    QStringList lido;
    for (const char *c : {"NuVinculosEstabelecimento", "NuEstrangeirosEstabelec", "InOpcaoAberta",
                          "InInscrEstabelecimento", "InVornNegEstabelecimento", "CoCgcVinculado",
                          "NuEnderecoEstabelecimento", "CoCepEstabelecimento", "CoMunicipio", "CoNaturezaJuridica",
                          "NuProprietEstabelecimento", "InPorte", "PoCestaAlimento", "InAtividadeAnoBase",
                          "NoRazaoEstabelecimento"})
        lido << campoEstab(kAno, kDestino, "00", QLatin1String(c));
    QCOMPARE(lido, esperado);

    // A destination that exists is refused whole.
    const QStringList antes = tudo();
    QVERIFY_THROWS_EXCEPTION(KeyViolation, TransfereVinculos(kEstab, {destino, QStringLiteral("3")},
                                                             {chaveDe("10000000003", "CARLA")}, barra));
    QCOMPARE(tudo(), antes);
}

void tst_ugOperacoesVinculos::variosPassos_data()
{
    QTest::addColumn<Operacao>("op");
    QTest::newRow("deletion") << Operacao::Exclusao;
    QTest::newRow("transfer") << Operacao::Transferencia;
}

// 2,500 more links chosen go in three steps, the bar at each step's end; exactly the chosen links are
// touched, a link chosen twice (the deletion allows it) counts once, and the two not chosen stay.
void tst_ugOperacoesVinculos::variosPassos()
{
    QFETCH(Operacao, op);
    declaracao();
    muitosVinculos(2500, 20000000000);
    QList<ChaveVinculo> mais = chavesDeMuitos();
    QCOMPARE(mais.size(), 2500);
    if (op == Operacao::Exclusao)
        mais << mais.at(1234);
    ScriptedProgress barra;
    QCOMPARE(executa(op, barra, mais).value_or(-1), 2503);
    QCOMPARE(barra.positions, (QList<int>{FatiaVinculos, 2 * FatiaVinculos, int(mais.size()) + 3}));
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, QStringLiteral("00")), 2);
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "NuVinculosEstabelecimento"), QStringLiteral("000002"));
    QCOMPARE(campoVinculo(chaveDe("10000000001", "ANA", "000001"), "NoEmpregado"), QStringLiteral("ANA"));
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kDestino), op == Operacao::Exclusao ? 0 : 2503);
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "InOpcaoAberta"), QString());
    QCOMPARE(sqlite3_get_autocommit(sqliteHandle()), 1);
}

void tst_ugOperacoesVinculos::codigoEmFatiasComDescricao()
{
    declaracao();
    muitosVinculos(2500, 20000000000); // three slices
    Table tipos(QStringLiteral("tb8vinc"));
    tipos.Open();
    QVERIFY(tipos.FindKey({QStringLiteral("20")}));
    const QString descricao = tipos.FieldByName(QStringLiteral("NoVinculo")).AsString().left(100);
    QVERIFY(descricao.size() == 100);

    ScriptedProgress barra;
    QCOMPARE(AlteraCodigoVinculo(kEstab, QStringLiteral("20"), barra).value_or(-1), 2505);
    QCOMPARE(barra.positions, (QList<int>{1000, 2000, 2505}));
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT NuPrefixoEstabelecimento, CoVinculo, TxtVinculo, count(*) FROM bd8vinc.bd8vinc "
                          "GROUP BY 1, 2, 3 ORDER BY 1"));
    QVERIFY(q.next());
    QCOMPARE((QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()}),
             (QStringList{"00", "20", descricao, "2505"}));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("01")); // the branch keeps its links as they were
    QCOMPARE(q.value(1).toString(), QString());
    QVERIFY(!q.next());
    QCOMPARE(campoEstab(kAno, kCnpj, "00", "InOpcaoAberta"), QString());
}

void tst_ugOperacoesVinculos::cancelamentoConfirmadoNadaMuda_data()
{
    QTest::addColumn<Operacao>("op");
    QTest::newRow("deletion") << Operacao::Exclusao;
    QTest::newRow("transfer") << Operacao::Transferencia;
    QTest::newRow("code") << Operacao::Codigo;
}

void tst_ugOperacoesVinculos::cancelamentoConfirmadoNadaMuda()
{
    QFETCH(Operacao, op);
    declaracao();
    const QStringList antes = tudo();
    ScriptedPresenter caixas;
    caixas.answer(MessageButton::Yes);
    // The cancel button pressed at the first step that has written something.
    struct Cancela : Progresso {
        void mostraPosicao(int p) override
        {
            if (p > 0)
                solicitaCancelamento();
        }
    } barra;
    QVERIFY(!executa(op, barra));
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(tudo(), antes);
}

void tst_ugOperacoesVinculos::colisaoNaTransferencia_data()
{
    QTest::addColumn<int>("campo");    // the key field in which the second link differs from the first
    QTest::addColumn<QString>("valor");
    QTest::addColumn<bool>("colide");
    const QStringList &campos = CamposChaveVinculo();
    QTest::newRow("CEI vinculado") << int(campos.indexOf("CoCgcVinculado")) << "00000100000002" << true;
    QTest::newRow("tipo") << int(campos.indexOf("InInscrEstabelecimento")) << "3" << true;
    QTest::newRow("sequencial") << int(campos.indexOf("NuSequencialRegistro")) << "000009" << false;
    QTest::newRow("desligamento") << int(campos.indexOf("DaDesligamentoEmpregado")) << "1512" << false;
    QTest::newRow("CBO") << int(campos.indexOf("CoCbo")) << "123456" << false;
}

// Two chosen links that differ only in what the transfer overwrites would be one key at the
// destination: found beforehand, and the transfer refuses them with nothing written.
void tst_ugOperacoesVinculos::colisaoNaTransferencia()
{
    QFETCH(int, campo);
    QFETCH(QString, valor);
    QFETCH(bool, colide);
    declaracao();
    ChaveVinculo outro = chaveDe("10000000003", "CARLA");
    outro[campo] = valor;
    QVariantMap campos;
    for (int i = 3; i < outro.size(); ++i)
        campos[CamposChaveVinculo().at(i)] = outro.at(i);
    gravaVinculo(kAno, kCnpj, "00", "10000000003", "CARLA", campos);
    const QList<ChaveVinculo> alvo{chaveDe("10000000002", "BRUNO"), chaveDe("10000000003", "CARLA"), outro};
    QCOMPARE(ColisaoNaTransferencia(alvo), colide ? std::optional(std::make_pair(1, 2)) : std::nullopt);
    if (!colide)
        return;
    const QStringList antes = tudo();
    ScriptedProgress barra;
    QVERIFY_THROWS_EXCEPTION(DatabaseError, TransfereVinculos(kEstab, {{kAno, kDestino, QStringLiteral("00")},
                                                                      QStringLiteral("3")},
                                                              alvo, barra));
    QCOMPARE(tudo(), antes);
    QVERIFY(!isDatabaseOpen() || sqlite3_get_autocommit(sqliteHandle()));
}

void tst_ugOperacoesVinculos::mortaNoMeioNadaMuda_data()
{
    QTest::addColumn<Operacao>("op");
    QTest::addColumn<QString>("aviso");
    QTest::newRow("deletion") << Operacao::Exclusao << "0503";
    QTest::newRow("transfer") << Operacao::Transferencia << "";
    QTest::newRow("code") << Operacao::Codigo << "0504";
}

void tst_ugOperacoesVinculos::mortaNoMeioNadaMuda()
{
    QFETCH(Operacao, op);
    QFETCH(QString, aviso);
    declaracao();
    muitosVinculos(1500, 30000000000); // enough for the code change to stop between two slices
    const QList<ChaveVinculo> escolhidos = chavesDeMuitos(); // a bulk deletion or transfer
    QCOMPARE(escolhidos.size(), 1500);
    const QStringList antes = tudo();
    m_programa->close();
    const QString vinculos = m_programa->dados() + QStringLiteral("/bd8vinc.db");
    const QByteArray arquivoAntes = lerArquivo(vinculos);

    const pid_t filho = fork();
    if (filho == 0) {
        // A connection of its own with a small page cache, so that the engine writes pages to the file
        // before the end; the run ends abruptly halfway.
        struct Morre : Progresso {
            void mostraPosicao(int p) override
            {
                if (p >= 1 && p * 2 >= maximum())
                    _exit(7);
            }
        } barra;
        m_programa->fixture().openConnection();
        for (const char *arquivo : {"bd8emp", "bd8vinc"})
            execSql(QStringLiteral("PRAGMA %1.cache_size = 10").arg(QLatin1String(arquivo)));
        m_programa->fixture().create(dmEntradaDados);
        executa(op, barra, escolhidos);
        _exit(0);
    }
    QString porque;
    QVERIFY2(morreuGravando(filho, vinculos, arquivoAntes, porque), qPrintable(porque));

    // The program starts again on the same folder: its table check, then its data modules.
    QVERIFY(VerificaTabelas(m_programa->dados()));
    m_programa->open();
    ScriptedPresenter caixas;
    AvisaOperacaoAberta(kAno, kCnpj, QStringLiteral("00"));
    if (aviso.isEmpty()) {
        QCOMPARE(caixas.boxes.size(), 0);
    } else {
        QCOMPARE(caixas.boxes.size(), 1);
        QVERIFY(caixas.boxes.first().text.contains(textoMensagem(aviso)));
    }
    // The notice cleared the marker; everything else is as it was before the run.
    QCOMPARE(tudo(), antes);
}

void tst_ugOperacoesVinculos::discoCheioNadaMuda_data()
{
    QTest::addColumn<Operacao>("op");
    QTest::newRow("deletion") << Operacao::Exclusao;
    QTest::newRow("transfer") << Operacao::Transferencia;
    QTest::newRow("code") << Operacao::Codigo;
    QTest::newRow("establishment") << Operacao::ExclusaoEstab;
}

// The disk fills up halfway (the engine's full-disk error, thrown where the operation reports its first
// step): the operation is refused and rolled back, and the marker it committed first goes with the rest.
void tst_ugOperacoesVinculos::discoCheioNadaMuda()
{
    QFETCH(Operacao, op);
    declaracao();
    muitosVinculos(1500, 30000000000);
    const QList<ChaveVinculo> escolhidos = chavesDeMuitos();
    const QStringList antes = tudo();
    struct DiscoCheio : Progresso {
        void mostraPosicao(int p) override
        {
            if (p > 0)
                throw DiskFull(QStringLiteral("Insufficient disk space."));
        }
    } barra;
    QVERIFY_THROWS_EXCEPTION(DiskFull, executa(op, barra, escolhidos));
    QCOMPARE(tudo(), antes);
}

QTEST_GUILESS_MAIN(tst_ugOperacoesVinculos)
#include "tst_ugOperacoesVinculos.moc"
