// The pickers' search text: accents folded and capitals on both sides.

#include "entry/ugPesquisa.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugPesquisa : public QObject {
    Q_OBJECT
private slots:
    void contem_data();
    void contem();
};

void tst_ugPesquisa::contem_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("procurado");
    QTest::addColumn<bool>("achou");
    QTest::newRow("minúsculas sem acento") << "3550308  - SÃO PAULO" << "sao paulo" << true;
    QTest::newRow("acentos dos dois lados") << "AÇAILÂNDIA" << "açai" << true;
    QTest::newRow("cedilha") << "Órgão Público" << "ORGAO PUBLICO" << true;
    QTest::newRow("código") << "3550308  - SÃO PAULO" << "5503" << true;
    QTest::newRow("outra palavra") << "SÃO PAULO" << "santos" << false;
    QTest::newRow("vazio não acha") << "SÃO PAULO" << "" << false;
}

void tst_ugPesquisa::contem()
{
    QFETCH(QString, texto);
    QFETCH(QString, procurado);
    QTEST(ContemTextoPesquisa(texto, procurado), "achou");
}

QTEST_APPLESS_MAIN(tst_ugPesquisa)
#include "tst_ugPesquisa.moc"
