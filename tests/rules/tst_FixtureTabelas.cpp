// The code-table fixture of the rule tests: empty code tables, rows put in by the test and seen by the
// module's open cursors, the rule context's module set for the fixture's life only.

#include "app/base/Table.h"
#include "rules/ContextoRegras.h"

#include "FixtureTabelas.h"

#include <QtTest>

using namespace gdvorn;

class tst_FixtureTabelas : public QObject {
    Q_OBJECT

private slots:
    void tabelasVaziasRecebemAsLinhasDoTeste();
    void contextoVoltaAoModuloAnterior();
};

void tst_FixtureTabelas::tabelasVaziasRecebemAsLinhasDoTeste()
{
    test::FixtureTabelas fx;
    TdmGDVorn &m = contextoRegras().Tabelas();
    QCOMPARE(&m, &fx.modulo());
    for (Table *t : m.tabelas())
        QVERIFY2(t->IsEmpty(), qPrintable(t->TableName()));

    fx.insere(QStringLiteral("tb8munic"), {{"CoMunicipio", "3550308"}, {"NoMunicipio", "SAO PAULO"}});
    fx.insere(QStringLiteral("tbuf"), QList<QVariantMap>{{{"CoUf", "35"}, {"SgUf", "SP"}, {"NoUf", "SAO PAULO"}},
                                                        {{"CoUf", "33"}, {"SgUf", "RJ"}, {"NoUf", "RIO DE JANEIRO"}}});
    QVERIFY(m.taMunicipio.FindKey({QStringLiteral("3550308")}));
    QCOMPARE(m.taMunicipio.FieldByName(QStringLiteral("NoMunicipio")).AsString(), QStringLiteral("SAO PAULO"));
    QCOMPARE(m.taMunicipio.FieldByName(QStringLiteral("CoCep")).AsString(), QString());
    QCOMPARE(m.taUF.RecordCount(), 2);

    m.qryUfCep.ParamByName(QStringLiteral("xCoUf")).setAsString(QStringLiteral("35"));
    fx.insere(QStringLiteral("tbufcep"), {{"CoUf", "35"}, {"IdUf", "1"}, {"CoCepInicial", "01000"}, {"CoCepFinal", "19999"}});
    m.qryUfCep.Open();
    QCOMPARE(m.qryUfCep.FieldByName(QStringLiteral("CoCepFinal")).AsString(), QStringLiteral("19999"));
    m.qryUfCep.Close();

    fx.esvazia(QStringLiteral("tbuf"));
    QVERIFY(m.taUF.IsEmpty());
}

void tst_FixtureTabelas::contextoVoltaAoModuloAnterior()
{
    TdmGDVorn *antes = contextoRegras().ModuloTabelas;
    {
        test::FixtureTabelas fx;
        QCOMPARE(contextoRegras().ModuloTabelas, &fx.modulo());
    }
    QCOMPARE(contextoRegras().ModuloTabelas, antes);
}

QTEST_GUILESS_MAIN(tst_FixtureTabelas)
#include "tst_FixtureTabelas.moc"
