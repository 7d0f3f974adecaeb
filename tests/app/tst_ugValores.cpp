// Money text of the entry forms: stored cents to display text, typed text to cents, and the text edited.

#include "app/ugFuncoes.h"
#include "app/ugValores.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugValores : public QObject {
    Q_OBJECT
private slots:
    void digitadoEmCentavos_data();
    void digitadoEmCentavos();
    void centavosNaTela_data();
    void centavosNaTela();
    void textoParaEditar_data();
    void textoParaEditar();
    void maisLongoQueOCampoFicaInteiro();
    void passosValor_data();
    void passosValor();
};

void tst_ugValores::digitadoEmCentavos_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<int>("largura");
    QTest::addColumn<QString>("centavos");
    QTest::newRow("milhar e uma casa") << "1.234,5" << 9 << "000123450";
    QTest::newRow("vírgula") << "1,5" << 9 << "000000150";
    // "." is a thousands separator: dropped.
    QTest::newRow("ponto") << "1.5" << 9 << "000001500";
    QTest::newRow("inteiro") << "12" << 8 << "00001200";
    QTest::newRow("brancos em volta") << "  7,25 " << 9 << "000000725";
    QTest::newRow("não é número") << "abc" << 9 << "";
}

void tst_ugValores::digitadoEmCentavos()
{
    QFETCH(QString, digitado);
    QFETCH(int, largura);
    QTEST(CentavosDoDigitado(digitado, largura), "centavos");
}

void tst_ugValores::centavosNaTela_data()
{
    QTest::addColumn<QString>("centavos");
    QTest::addColumn<QString>("sindical");
    QTest::addColumn<QString>("vinculo");
    QTest::newRow("vazio") << "" << "0,00" << FormataValor(QStringLiteral("0,00"));
    QTest::newRow("zeros") << "000000000" << "0,00" << FormataValor(QStringLiteral("0,00"));
    QTest::newRow("150") << "000000150" << FormataValor(QStringLiteral("1,50"))
                         << FormataValor(QStringLiteral("1,50"));
    QTest::newRow("8 dígitos") << "00123450" << FormataValor(QStringLiteral("1234,50"))
                               << FormataValor(QStringLiteral("1234,50"));
    QTest::newRow("milhões") << "123456789" << FormataValor(QStringLiteral("1234567,89"))
                             << FormataValor(QStringLiteral("1234567,89"));
}

void tst_ugValores::centavosNaTela()
{
    QFETCH(QString, centavos);
    QTEST(MostraValorSindical(centavos), "sindical");
    QTEST(MostraValor(centavos), "vinculo");
    // What is shown is stored back as it was.
    if (!centavos.isEmpty()) {
        QCOMPARE(ValorGravacao9(MostraValor(centavos)), centavos.rightJustified(9, QLatin1Char('0')));
        // A union value shown, entered (separators dropped) and left untouched is stored as it was.
        QCOMPARE(ValorEmCentavos(PreparaValorEdicao(MostraValorSindical(centavos))),
                 centavos.rightJustified(9, QLatin1Char('0')));
    }
}

void tst_ugValores::textoParaEditar_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("sindical");
    QTest::addColumn<QString>("vinculo");
    QTest::newRow("formatado") << "       1.234,50" << "1234,50" << "1234,50";
    QTest::newRow("vazio") << "" << "0,00" << "";
    QTest::newRow("brancos") << "   " << "0,00" << "   ";
}

void tst_ugValores::textoParaEditar()
{
    QFETCH(QString, texto);
    QTEST(PreparaValorEdicao(texto), "sindical");
    QTEST(DesformataValor(texto), "vinculo");
}

void tst_ugValores::maisLongoQueOCampoFicaInteiro()
{
    // The checks refuse more digits than the field holds: the conversion must not cut them away first.
    QCOMPARE(ValorEmCentavos(QStringLiteral("12.345.678,90")), QStringLiteral("1234567890"));
    QCOMPARE(ValorGravacao8(QStringLiteral("1.234.567,89")), QStringLiteral("123456789"));
}

void tst_ugValores::passosValor_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<int>("largura");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("centavos");
    QTest::newRow("passa") << "1.234,5" << 9 << "0000" << "000123450";
    QTest::newRow("não é número") << "1,2,3" << 9 << "0040" << "";
    QTest::newRow("cabe em 9") << "1234567,89" << 9 << "0000" << "123456789";
    QTest::newRow("não cabe em 8") << "1234567,89" << 8 << "0315" << "123456789";
}

void tst_ugValores::passosValor()
{
    QFETCH(QString, digitado);
    QFETCH(int, largura);
    const ValorDigitado v = PassosValor(digitado, largura);
    QTEST(v.Codigo, "codigo");
    QTEST(v.Centavos, "centavos");
    if (v.Codigo != QLatin1String("0040"))
        QCOMPARE(v.Formatado, FormataValor(digitado));
}

QTEST_APPLESS_MAIN(tst_ugValores)
#include "tst_ugValores.moc"
