// The installed code tables as the build lays them out, opened by the code-table module.

#include "ProgramFixture.h"
#include "TestData.h"
#include "app/udmGDVorn.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace gdvorn;

class TestTabelasInstaladas : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;
    QString m_pasta; // a program folder whose path holds blanks and accented letters
    std::unique_ptr<test::ProgramFixture> m_programa;

private slots:
    void initTestCase()
    {
        m_pasta = m_temp.filePath(QStringLiteral("Meus Programas/Declaração Anual"));
        m_programa = std::make_unique<test::ProgramFixture>(test::ProgramFixture::InstalledTables, m_pasta);
        m_programa->create(dmGDVorn, m_pasta + QLatin1Char('/'));
    }
    void cleanupTestCase()
    {
        m_programa.reset();
    }

    void publishedListsAreInstalled_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("rows");
        QTest::newRow("municipalities") << QStringLiteral("tb8munic") << 5571;
        QTest::newRow("states") << QStringLiteral("tbuf") << 27;
        QTest::newRow("state CEP ranges") << QStringLiteral("tbufcep") << 30;
        QTest::newRow("CNAE") << QStringLiteral("tb8cnae") << 1332;
        QTest::newRow("CBO") << QStringLiteral("tb8cbo") << 2694;
        QTest::newRow("legal natures") << QStringLiteral("tb8natju") << 100;
        QTest::newRow("months") << QStringLiteral("tb8base") << 12;
        QTest::newRow("race") << QStringLiteral("tb8raca") << 6;
        QTest::newRow("salary types") << QStringLiteral("tb8tpsal") << 7;
        QTest::newRow("municipal CEP ranges") << QStringLiteral("tb8fxcep") << 0;
    }
    void publishedListsAreInstalled()
    {
        QFETCH(QString, table);
        QFETCH(int, rows);
        Table t(table);
        t.Open();
        QCOMPARE(t.RecordCount(), rows);
    }

    void smallListsHoldTheirCodes_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("code");
        QTest::newRow("national") << QStringLiteral("tb8nacio") << QStringLiteral("10");
        QTest::newRow("education") << QStringLiteral("tb8instr") << QStringLiteral("11");
        QTest::newRow("admission") << QStringLiteral("tb8tpadm") << QStringLiteral("2");
        QTest::newRow("link type") << QStringLiteral("tb8vinc") << QStringLiteral("10");
        QTest::newRow("dismissal") << QStringLiteral("tb8desl") << QStringLiteral("11");
        QTest::newRow("leave") << QStringLiteral("tb8afast") << QStringLiteral("10");
        QTest::newRow("disability") << QStringLiteral("tbdefi") << QStringLiteral("1");
    }
    void smallListsHoldTheirCodes()
    {
        QFETCH(QString, table);
        QFETCH(QString, code);
        Table t(table);
        t.Open();
        QVERIFY(t.FindKey({code}));
        QVERIFY(!t.Fields(1).AsString().isEmpty());
    }

    void moduleReadsByKey()
    {
        QVERIFY(dmGDVorn->taMunicipio.FindKey({QStringLiteral("3550308")}));
        QCOMPARE(dmGDVorn->taMunicipio.FieldByName(QStringLiteral("NoMunicipio")).AsString(), QStringLiteral("SÃO PAULO"));
        QCOMPARE(dmGDVorn->taMunicipio.FieldByName(QStringLiteral("InFaixa")).AsString(), QStringLiteral("0"));
        QVERIFY(dmGDVorn->taUF.FindKey({QStringLiteral("35")}));
        QCOMPARE(dmGDVorn->taUF.FieldByName(QStringLiteral("SgUf")).AsString(), QStringLiteral("SP"));
        QVERIFY(dmGDVorn->taCBO.FindKey({QStringLiteral("212405")}));
        QVERIFY(!dmGDVorn->taCBO.FieldByName(QStringLiteral("InCriticaCbo")).AsBoolean());

        dmGDVorn->qryUfCep.ParamByName(QStringLiteral("xCoUf")).setValue(QStringLiteral("13")); // AM: two ranges
        dmGDVorn->qryUfCep.Open();
        int ranges = 0;
        for (; !dmGDVorn->qryUfCep.Eof(); dmGDVorn->qryUfCep.Next())
            ++ranges;
        dmGDVorn->qryUfCep.Close();
        QCOMPARE(ranges, 2);
        QCOMPARE(dmGDVorn->DatabaseDirectory(), m_pasta + QStringLiteral("/dados"));
    }
};

QTEST_GUILESS_MAIN(TestTabelasInstaladas)
#include "tst_TabelasInstaladas.moc"
