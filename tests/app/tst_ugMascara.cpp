// Entry masks: the declared masks of the stored tables become Qt input masks, and the display text of an
// edit goes back to the stored value.

#include "app/ugMascara.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugMascara : public QObject {
    Q_OBJECT
private slots:
    void conversao_data();
    void conversao();
    void idaEVolta_data();
    void idaEVolta();
    void textoIncompleto();
    void literaisGuardados();
};

void tst_ugMascara::conversao_data()
{
    QTest::addColumn<QString>("declarada");
    QTest::addColumn<QString>("qt");
    // "9" optional digit -> Qt "0"; "0" required digit -> Qt "9"; literals that Qt reads as mask
    // characters are escaped.
    QTest::newRow("CNPJ") << "99.999.999/9999-99;0;_" << "00.000.000/0000-00;_";
    QTest::newRow("CNPJ escapado") << "99\\.999\\.999\\/9999\\-99;0;_" << "00.000.000/0000-00;_";
    QTest::newRow("CEP sem branco") << "99999-999;0;" << "00000-000;_";
    QTest::newRow("CBO") << "a999-99;0;" << "n000-00;_";
    QTest::newRow("obrigatórios") << "00/LL;1; " << "99/AA; ";
    QTest::newRow("literal especial") << "9\\A9;0;_" << "0\\A0;_";
}

void tst_ugMascara::conversao()
{
    QFETCH(QString, declarada);
    QTEST(ConverteMascara(declarada).qt, "qt");
}

void tst_ugMascara::idaEVolta_data()
{
    QTest::addColumn<QString>("mascara");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("exibido");
    QTest::newRow("CNPJ") << "99.999.999/9999-99;0;_" << "12345678000195" << "12.345.678/0001-95";
    QTest::newRow("CEI") << "99999\\.99999\\-99;0;_" << "123456789012" << "12345.67890-12";
    QTest::newRow("CEP") << "99999-999;0;" << "70040010" << "70040-010";
    QTest::newRow("PIS") << "999.99999.99.9;0;" << "12345678901" << "123.45678.90.1";
    QTest::newRow("data") << "99/99/9999;0;" << "31122010" << "31/12/2010";
    QTest::newRow("município") << "99-99999;0;" << "3550308" << "35-50308";
}

void tst_ugMascara::idaEVolta()
{
    QFETCH(QString, mascara);
    QFETCH(QString, valor);
    QFETCH(QString, exibido);
    QCOMPARE(TextoDaMascara(mascara, valor), exibido);
    QCOMPARE(ValorDaMascara(mascara, exibido), valor);
}

void tst_ugMascara::textoIncompleto()
{
    // Blanks left where nothing was typed are skipped, wherever they stand.
    const QString cep = QStringLiteral("99999-999;0;_");
    QCOMPARE(TextoDaMascara(cep, QStringLiteral("7004")), QStringLiteral("7004_-___"));
    QCOMPARE(ValorDaMascara(cep, QStringLiteral("70_40-01_")), QStringLiteral("704001"));
    QCOMPARE(ValorDaMascara(cep, QStringLiteral("700")), QStringLiteral("700"));
    QCOMPARE(ValorDaMascara(cep, QString()), QString());
}

void tst_ugMascara::literaisGuardados()
{
    const QString data = QStringLiteral("99/99/9999;1;_");
    QCOMPARE(ValorDaMascara(data, QStringLiteral("31/12/2010")), QStringLiteral("31/12/2010"));
    // A stored value with its literals fills the same positions.
    QCOMPARE(TextoDaMascara(data, QStringLiteral("31/12/2010")), QStringLiteral("31/12/2010"));
}

QTEST_APPLESS_MAIN(tst_ugMascara)
#include "tst_ugMascara.moc"
