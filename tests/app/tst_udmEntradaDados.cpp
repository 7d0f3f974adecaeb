#include "app/udmEntradaDados.h"

#include "app/base/EngineError.h"

#include "ProgramFixture.h"
#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

namespace {

// Key fields of a link, in key order.
struct Vinculo {
    QString ano, inscricao, prefixo, pis, admissao, nome, sequencial, vinculado, tipo, desligamento, cbo;
    QString nacionalidade = QStringLiteral("10");

    QStringList chave() const
    {
        return {ano, inscricao, prefixo, pis, admissao, nome, sequencial, vinculado, tipo, desligamento, cbo};
    }
};

const QStringList kCamposChave{
    "AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoPisPasepEmpregado",
    "DaAdmissaoEmpregado", "NoEmpregado", "NuSequencialRegistro", "CoCgcVinculado", "InInscrEstabelecimento",
    "DaDesligamentoEmpregado", "CoCbo"};

const QString kCnpj = QStringLiteral("11222333000181");
const QString kCei = QStringLiteral("00123456789012"); // a CEI: "00" and its 12 digits

Vinculo vinculo(const QString &inscricao, const QString &prefixo, const QString &pis, const QString &nome,
                const QString &cbo = QStringLiteral("123456"), const QString &desligamento = QStringLiteral(""))
{
    return {QStringLiteral("2010"), inscricao, prefixo, pis, QStringLiteral("01022009"), nome,
            QStringLiteral("000001"), QStringLiteral(""), inscricao == kCei ? QStringLiteral("3") : QStringLiteral("1"),
            desligamento, cbo};
}

void grava(Table &t, const Vinculo &v)
{
    t.Append();
    const QStringList chave = v.chave();
    for (int i = 0; i < kCamposChave.size(); ++i)
        t.FieldByName(kCamposChave[i]).setAsString(chave[i]);
    t.FieldByName("CoNacionalidade").setAsString(v.nacionalidade);
    t.FieldByName("DaNascimentoEmpregado").setAsString(QStringLiteral("1501") + v.pis.right(4));
    t.Post();
}

} // namespace

class TestUdmEntradaDados : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_pasta = std::make_unique<test::ProgramFixture>(test::ProgramFixture::EmptyTables);
        m_pasta->openConnection();
        m_pasta->create(dmEntradaDados);
        dmEntradaDados->ta8Empreg.Open();
    }
    void cleanup()
    {
        m_pasta.reset();
        QCOMPARE(dmEntradaDados, nullptr);
    }

    void linkFoundByFullKeyAndByPrefix()
    {
        Table &t = dmEntradaDados->ta8Empreg;
        const Vinculo a = vinculo(kCnpj, "01", "12345678901", "ANA");
        const Vinculo b = vinculo(kCnpj, "01", "12345678901", "ANA", "654321");        // differs in CoCbo only
        const Vinculo c = vinculo(kCnpj, "01", "12345678901", "ANA", "123456", "1005"); // in the dismissal only
        const Vinculo d = vinculo(kCei, "01", "99999999999", "BRUNO");
        for (const Vinculo &v : {d, c, b, a})
            grava(t, v);
        QCOMPARE(t.RecordCount(), 4);

        for (const Vinculo &v : {a, b, c, d}) {
            QVERIFY(t.FindKey(v.chave()));
            QCOMPARE(t.FieldByName("CoCbo").AsString(), v.cbo);
            QCOMPARE(t.FieldByName("DaDesligamentoEmpregado").AsString(), v.desligamento);
            QCOMPARE(t.FieldByName("CoCgcCeiEstabelecimento").AsString().size(), 14);
        }

        // The leading key fields find the establishment's first link in key order.
        QVERIFY(t.FindKey({"2010", kCnpj, "01"}));
        QCOMPARE(t.FieldByName("DaDesligamentoEmpregado").AsString(), QString());
        QCOMPARE(t.FieldByName("CoCbo").AsString(), QStringLiteral("123456"));
        QVERIFY(t.FindKey({"2010", kCei}));
        QCOMPARE(t.FieldByName("NoEmpregado").AsString(), QStringLiteral("BRUNO"));

        // A key that is not there leaves the cursor where it was.
        Vinculo ausente = a;
        ausente.cbo = QStringLiteral("111111");
        QVERIFY(!t.FindKey(ausente.chave()));
        QVERIFY(!t.FindKey({"2009", kCei}));
        QCOMPARE(t.FieldByName("NoEmpregado").AsString(), QStringLiteral("BRUNO"));
    }

    void editOfKeyFieldChangesOnlyThatRow()
    {
        Table &t = dmEntradaDados->ta8Empreg;
        const Vinculo a = vinculo(kCnpj, "01", "12345678901", "ANA");
        const Vinculo b = vinculo(kCnpj, "01", "12345678901", "ANA", "654321");
        const Vinculo c = vinculo(kCnpj, "01", "22222222222", "CARLA");
        for (const Vinculo &v : {a, b, c})
            grava(t, v);

        QVERIFY(t.FindKey(a.chave()));
        t.Edit();
        t.FieldByName("CoCbo").setAsString("777777");
        t.FieldByName("DaDesligamentoEmpregado").setAsString("3112");
        t.Post();

        QCOMPARE(t.RecordCount(), 3);
        QVERIFY(!t.FindKey(a.chave()));
        Vinculo novo = a;
        novo.cbo = QStringLiteral("777777");
        novo.desligamento = QStringLiteral("3112");
        QVERIFY(t.FindKey(novo.chave()));
        QCOMPARE(t.FieldByName("DaNascimentoEmpregado").AsString(), QStringLiteral("15018901"));
        for (const Vinculo &v : {b, c}) {
            QVERIFY(t.FindKey(v.chave()));
            QCOMPARE(t.FieldByName("DaDesligamentoEmpregado").AsString(), QString());
        }

        // Changing a key into one that another row holds is refused and changes nothing.
        QVERIFY(t.FindKey(novo.chave()));
        t.Edit();
        t.FieldByName("CoCbo").setAsString("654321");
        t.FieldByName("DaDesligamentoEmpregado").setAsString("");
        QVERIFY_THROWS_EXCEPTION(KeyViolation, t.Post());
        t.Cancel();
        QVERIFY(t.FindKey(novo.chave()));
        QCOMPARE(t.RecordCount(), 3);
    }

    void countsOfOneEstablishmentOfOneYear_data()
    {
        QTest::addColumn<QString>("ano");
        QTest::addColumn<QString>("inscricao");
        QTest::addColumn<QString>("prefixo");
        QTest::addColumn<int>("vinculos");
        QTest::addColumn<int>("estrangeiros");
        QTest::newRow("cnpj 01") << "2010" << kCnpj << "01" << 4 << 2;
        QTest::newRow("cnpj 02") << "2010" << kCnpj << "02" << 1 << 1;
        QTest::newRow("cnpj other year") << "2009" << kCnpj << "01" << 1 << 0;
        QTest::newRow("cei") << "2010" << kCei << "01" << 1 << 0;
        QTest::newRow("none") << "2010" << "99888777000166" << "01" << 0 << 0;
    }
    void countsOfOneEstablishmentOfOneYear()
    {
        QFETCH(QString, ano);
        QFETCH(QString, inscricao);
        QFETCH(QString, prefixo);
        QFETCH(int, vinculos);
        QFETCH(int, estrangeiros);

        Table &t = dmEntradaDados->ta8Empreg;
        auto comNacionalidade = [](Vinculo v, const char *n) {
            v.nacionalidade = QLatin1String(n);
            return v;
        };
        grava(t, comNacionalidade(vinculo(kCnpj, "01", "10000000001", "A"), "10"));
        grava(t, comNacionalidade(vinculo(kCnpj, "01", "10000000002", "B"), "20"));
        grava(t, comNacionalidade(vinculo(kCnpj, "01", "10000000003", "C"), "45"));
        grava(t, comNacionalidade(vinculo(kCnpj, "01", "10000000004", "D"), "")); // not informed
        grava(t, comNacionalidade(vinculo(kCnpj, "02", "10000000005", "E"), "30"));
        Vinculo antigo = vinculo(kCnpj, "01", "10000000006", "F");
        antigo.ano = QStringLiteral("2009");
        grava(t, antigo);
        grava(t, vinculo(kCei, "01", "10000000007", "G"));

        for (Query *q : {&dmEntradaDados->quContaEmpreg, &dmEntradaDados->quContaEstrang}) {
            q->ParamByName("sAnoBase").setValue(ano);
            q->ParamByName("sInscricao").setValue(inscricao);
            q->ParamByName("sPrefixo").setValue(prefixo);
            q->Open();
        }
        QCOMPARE(dmEntradaDados->quContaEmpreg.FieldByName("COUNT(*)").AsInteger(), vinculos);
        QCOMPARE(dmEntradaDados->quContaEstrang.FieldByName("COUNT(*)").AsInteger(), estrangeiros);
    }

    void employeeListBaseText()
    {
        grava(dmEntradaDados->ta8Empreg, vinculo(kCnpj, "01", "12345678901", "ANA", "000000"));
        Query &q = dmEntradaDados->quConVinculo;
        q.addSql("where AnBase = :AnBase");
        q.ParamByName("AnBase").setValue("2010");
        q.Open();
        QVERIFY(!q.Eof());
        QCOMPARE(q.FieldByName("CoPisPasepEmpregado").AsString(), QStringLiteral("12345678901"));
        QCOMPARE(quConVinculoCoCboGetText(q.FieldByName("CoCbo").AsString()), QString());
    }

    void occupationDisplay_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("exibido");
        QTest::newRow("zeros") << "000000" << "";
        QTest::newRow("six") << "123456" << "1234-56";
        QTest::newRow("letter") << "a12345" << "a123-45";
        QTest::newRow("short") << "12345" << "12345";
        QTest::newRow("empty") << "" << "";
    }
    void occupationDisplay()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, exibido);
        QCOMPARE(quConVinculoCoCboGetText(codigo), exibido);
    }

    void workPlaceMunicipalityNameKeepsItsWidth()
    {
        // The name comes from tb8munic (40 characters) and the link keeps all 40; more is cut at 40.
        const QString nome40 = QStringLiteral("SÃO JOSÉ DO VALE DO RIO PRETO DE MINAS X");
        QCOMPARE(nome40.size(), 40);
        Table &t = dmEntradaDados->ta8Empreg;
        const Vinculo a = vinculo(kCnpj, "01", "12345678901", "ANA");
        const Vinculo b = vinculo(kCnpj, "01", "22222222222", "BIA");
        grava(t, a);
        grava(t, b);
        QVERIFY(t.FindKey(a.chave()));
        t.Edit();
        t.FieldByName("NoMunicipioTrabalho").setAsString(nome40);
        t.Post();
        QVERIFY(t.FindKey(b.chave()));
        t.Edit();
        t.FieldByName("NoMunicipioTrabalho").setAsString(nome40 + QStringLiteral("YZWVU"));
        t.Post();

        QVERIFY(t.FindKey(a.chave()));
        QCOMPARE(t.FieldByName("NoMunicipioTrabalho").AsString(), nome40);
        QVERIFY(t.FindKey(b.chave()));
        QCOMPARE(t.FieldByName("NoMunicipioTrabalho").AsString(), nome40);
    }

private:
    std::unique_ptr<test::ProgramFixture> m_pasta;
};

QTEST_GUILESS_MAIN(TestUdmEntradaDados)
#include "tst_udmEntradaDados.moc"
