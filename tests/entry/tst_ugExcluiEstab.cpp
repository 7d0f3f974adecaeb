// Deleting an establishment with its links: what the window shows of it, the rows that go and stay, the
// bar, and a run that dies halfway.

#include "app/base/Database.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugIndices.h"
#include "app/ugListas.h"
#include "entry/ugExcluiEstab.h"

#include "LinhasDeclaracao.h"
#include "MorteNoMeio.h"
#include "ProgramaTeste.h"
#include "ScriptedPresenter.h"
#include "ScriptedProgress.h"

#include <QtTest>

#include <unistd.h>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kCnpj = QStringLiteral("11222333000181");
const QString kCei = QStringLiteral("00000100000002");
const QString kAno = QStringLiteral("2010");

ChaveEstabelecimento chave(const QString &inscricao = kCnpj, const QString &prefixo = QStringLiteral("00"),
                           const QString &ano = kAno)
{
    return {ano, inscricao, prefixo};
}

void gravaVinculos(const QString &ano, const QString &inscricao, const QString &prefixo, int n)
{
    for (int i = 1; i <= n; ++i)
        gravaVinculo(ano, inscricao, prefixo, QStringLiteral("1000000000%1").arg(i), QStringLiteral("EMPREGADO %1").arg(i));
}

} // namespace

class tst_ugExcluiEstab : public QObject {
    Q_OBJECT

private slots:
    void init() { m_programa = std::make_unique<ProgramaTeste>(); }
    void cleanup() { m_programa.reset(); }

    void mostraOEstabelecimento_data();
    void mostraOEstabelecimento();
    void excluiARowESeusVinculos();
    void semVinculosABarraVaiAUm();
    void marcaFicaGravada();
    void mortaNoMeioDeixaTudoEAvisa();

private:
    std::unique_ptr<ProgramaTeste> m_programa;
};

void tst_ugExcluiEstab::mostraOEstabelecimento_data()
{
    QTest::addColumn<QString>("ano");
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QVariantMap>("campos");
    QTest::addColumn<QStringList>("esperado"); // cei, total, tipo vorn, ano, inscricao, tipo
    const QString zeros = QStringLiteral("00000000000000");
    QTest::newRow("cnpj, 12 links, zero linked CEI")
        << kAno << kCnpj
        << QVariantMap{{"NuVinculosEstabelecimento", "000012"}, {"CoCgcVinculado", zeros},
                       {"InVornNegEstabelecimento", "0"}}
        << QStringList{"", "12", "VORN com empregados", "Declaração Ano 2010", kCnpj, "CNPJ"};
    QTest::newRow("cei of next year, empty linked CEI, none")
        << "2011" << kCei
        << QVariantMap{{"NuVinculosEstabelecimento", "000000"}, {"CoCgcVinculado", ""},
                       {"InVornNegEstabelecimento", "1"}, {"InInscrEstabelecimento", "3"}}
        << QStringList{"", "", "VORN sem empregados", "Declaração 2011", "000100000002", "CEI"};
    QTest::newRow("linked CEI formatted")
        << kAno << kCnpj << QVariantMap{{"CoCgcVinculado", kCei}}
        << QStringList{"00010.00000-02", "", "VORN com empregados", "Declaração Ano 2010", kCnpj, "CNPJ"};
}

void tst_ugExcluiEstab::mostraOEstabelecimento()
{
    QFETCH(QString, ano);
    QFETCH(QString, inscricao);
    QFETCH(QVariantMap, campos);
    QFETCH(QStringList, esperado);
    gravaEstab(ano, inscricao, QStringLiteral("00"), QStringLiteral("ACME"), campos);
    const DadosExclusao d = MostraEstabelecimento(chave(inscricao, QStringLiteral("00"), ano));
    QVERIFY(d.encontrado);
    QCOMPARE((QStringList{d.CeiVinculado, d.TotalEmpregados, d.TipoVorn, d.AnoBase, d.Inscricao, d.TipoInscricao}),
             esperado);
    QCOMPARE(d.RazaoSocial, QStringLiteral("ACME"));
}

void tst_ugExcluiEstab::excluiARowESeusVinculos()
{
    gravaEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("ACME"));
    gravaEstab(kAno, kCnpj, QStringLiteral("01"), QStringLiteral("ACME FILIAL"));
    gravaEstab(QStringLiteral("2011"), kCnpj, QStringLiteral("00"), QStringLiteral("ACME"));
    gravaVinculos(kAno, kCnpj, QStringLiteral("00"), 5);
    gravaVinculos(kAno, kCnpj, QStringLiteral("01"), 2);
    gravaVinculos(QStringLiteral("2011"), kCnpj, QStringLiteral("00"), 3);

    ScriptedProgress barra;
    QCOMPARE(ExcluiEstabelecimento(chave(), barra), 5);
    QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), kAno, kCnpj, QStringLiteral("00")), 0);
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, QStringLiteral("00")), 0);
    QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), kAno, kCnpj, QStringLiteral("01")), 1);
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, QStringLiteral("01")), 2);
    QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), QStringLiteral("2011"), kCnpj), 1);
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), QStringLiteral("2011"), kCnpj), 3);
    QCOMPARE(barra.maximum(), 6);
    QCOMPARE(barra.position(), 6);
}

void tst_ugExcluiEstab::semVinculosABarraVaiAUm()
{
    gravaEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("ACME"));
    ScriptedProgress barra;
    QCOMPARE(ExcluiEstabelecimento(chave(), barra), 0);
    QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), kAno, kCnpj), 0);
    QCOMPARE(barra.maximum(), 1);
    QCOMPARE(barra.position(), 1);
}

void tst_ugExcluiEstab::marcaFicaGravada()
{
    QVERIFY(!MarcaExclusao(chave()));
    gravaEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("ACME"));
    QVERIFY(MarcaExclusao(chave()));
    QCOMPARE(campoEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("InOpcaoAberta")), QStringLiteral("1"));
}

void tst_ugExcluiEstab::mortaNoMeioDeixaTudoEAvisa()
{
    gravaEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("ACME"));
    {
        // Enough links for the deletion to write pages of them before it ends.
        Transaction t;
        execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 3000) "
                               "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                               "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado) "
                               "SELECT '%1', '%2', '00', substr('0000000000' || x, -11), '01022009', 'EMPREGADO ' || x FROM n")
                    .arg(kAno, kCnpj));
        t.commit();
    }
    m_programa->close();
    const QString vinculos = m_programa->dados() + QStringLiteral("/bd8vinc.db");
    const QByteArray antes = lerArquivo(vinculos);

    const pid_t filho = fork();
    if (filho == 0) {
        // The child has a connection of its own, with a small page cache, and ends abruptly halfway.
        struct Morre : Progresso {
            void mostraPosicao(int p) override
            {
                if (p * 2 >= maximum())
                    _exit(7);
            }
        } barra;
        openDatabase(m_programa->dados());
        execSql(QStringLiteral("PRAGMA bd8vinc.cache_size = 10"));
        MarcaExclusao(chave());
        ExcluiEstabelecimento(chave(), barra);
        _exit(0);
    }
    QString porque;
    QVERIFY2(morreuGravando(filho, vinculos, antes, porque), qPrintable(porque));

    // The program starts again on the same folder: its table check, then its data modules (the fixture
    // frees these).
    QVERIFY(VerificaTabelas(m_programa->dados()));
    dmGDVorn = new TdmGDVorn(m_programa->path());
    dmEntradaDados = new TdmEntradaDados;
    QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), kAno, kCnpj), 1);
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj), 3000);
    QCOMPARE(campoEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("InOpcaoAberta")), QStringLiteral("1"));

    ScriptedPresenter caixas;
    AvisaOperacaoAberta(kAno, kCnpj, QStringLiteral("00"));
    QCOMPARE(caixas.boxes.size(), 1);
    Table msg(QStringLiteral("tb8msg"));
    msg.Open();
    QVERIFY(msg.FindKey({QStringLiteral("0501")}));
    QVERIFY(caixas.boxes.first().text.contains(msg.FieldByName(QStringLiteral("TxMensagem")).AsString().trimmed()));
    QCOMPARE(campoEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("InOpcaoAberta")), QString());
}

QTEST_GUILESS_MAIN(tst_ugExcluiEstab)
#include "tst_ugExcluiEstab.moc"
