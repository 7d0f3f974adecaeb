// The date routine of the rules and the digit tests under every rule: what becomes a number and a date,
// how DDMM values compare, and "n years later" on the last days of February.

#include "rules/ugRegras.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugRegras : public QObject {
    Q_OBJECT

private slots:
    void dataCalendario_data();
    void dataCalendario();
    void dataDiaMes_data();
    void dataDiaMes();
    void comparaDiaMes_data();
    void comparaDiaMes();
    void somaAnos_data();
    void somaAnos();
    void digitos_data();
    void digitos();
};

void tst_ugRegras::dataCalendario_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QDate>("data");
    QTest::newRow("data comum") << "15032010" << QDate(2010, 3, 15);
    QTest::newRow("29 de fevereiro bissexto") << "29022008" << QDate(2008, 2, 29);
    QTest::newRow("29 de fevereiro comum") << "29022010" << QDate();
    QTest::newRow("31 de abril") << "31042010" << QDate();
    QTest::newRow("mes 13") << "01132010" << QDate();
    QTest::newRow("zeros") << "00000000" << QDate();
    QTest::newRow("sete digitos") << "1503201" << QDate();
    QTest::newRow("com brancos") << " 15032010" << QDate();
    QTest::newRow("letra") << "1503201A" << QDate();
}

void tst_ugRegras::dataCalendario()
{
    QFETCH(QString, texto);
    QFETCH(QDate, data);
    QCOMPARE(DataCalendario(texto), data);
}

void tst_ugRegras::dataDiaMes_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("ano");
    QTest::addColumn<QDate>("data");
    QTest::newRow("dia e mes") << "1503" << 2010 << QDate(2010, 3, 15);
    QTest::newRow("31 de fevereiro") << "3102" << 2010 << QDate();
    QTest::newRow("29 de fevereiro comum") << "2902" << 2010 << QDate();
    QTest::newRow("29 de fevereiro bissexto") << "2902" << 2008 << QDate(2008, 2, 29);
    QTest::newRow("zeros") << "0000" << 2010 << QDate();
    QTest::newRow("tres digitos") << "153" << 2010 << QDate();
    QTest::newRow("letra") << "1A03" << 2010 << QDate();
}

void tst_ugRegras::dataDiaMes()
{
    QFETCH(QString, texto);
    QFETCH(int, ano);
    QFETCH(QDate, data);
    QCOMPARE(DataDiaMes(texto, ano), data);
}

void tst_ugRegras::comparaDiaMes_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sinal");
    // Month first: 31 January comes before 1 February, though "31" > "01".
    QTest::newRow("mes decide") << "3101" << "0102" << -1;
    QTest::newRow("dia decide") << "1403" << "1503" << -1;
    QTest::newRow("mesmo dia") << "1503" << "1503" << 0;
    QTest::newRow("depois") << "0112" << "3111" << 1;
}

void tst_ugRegras::comparaDiaMes()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sinal);
    const int r = ComparaDiaMes(a, b);
    QCOMPARE((r > 0) - (r < 0), sinal);
}

void tst_ugRegras::somaAnos_data()
{
    QTest::addColumn<QDate>("data");
    QTest::addColumn<int>("anos");
    QTest::addColumn<QDate>("resultado");
    QTest::newRow("29/02 mais 14 anos") << QDate(1996, 2, 29) << 14 << QDate(2010, 2, 28);
    QTest::newRow("29/02 mais 12 anos") << QDate(1996, 2, 29) << 12 << QDate(2008, 2, 29);
    QTest::newRow("28/02 mais 16 anos") << QDate(1994, 2, 28) << 16 << QDate(2010, 2, 28);
    QTest::newRow("31/12 mais 10 anos") << QDate(1999, 12, 31) << 10 << QDate(2009, 12, 31);
}

void tst_ugRegras::somaAnos()
{
    QFETCH(QDate, data);
    QFETCH(int, anos);
    QFETCH(QDate, resultado);
    QCOMPARE(SomaAnos(data, anos), resultado);
}

void tst_ugRegras::digitos_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("soDigitos");
    QTest::addColumn<qint64>("valor");
    QTest::newRow("vazio") << "" << false << qint64(0);
    QTest::newRow("brancos em volta") << " 12 " << false << qint64(0);
    QTest::newRow("sinal") << "-12" << false << qint64(0);
    QTest::newRow("virgula") << "1,00" << false << qint64(0);
    QTest::newRow("zeros") << "000" << true << qint64(0);
    QTest::newRow("centavos de 9 digitos") << "765000000" << true << qint64(765000000);
    QTest::newRow("alem de 32 bits") << "123456789012" << true << qint64(123456789012);
}

void tst_ugRegras::digitos()
{
    QFETCH(QString, texto);
    QFETCH(bool, soDigitos);
    QFETCH(qint64, valor);
    QCOMPARE(SoDigitos(texto), soDigitos);
    QCOMPARE(ValorDigitos(texto), valor);
}

QTEST_GUILESS_MAIN(tst_ugRegras)
#include "tst_ugRegras.moc"
