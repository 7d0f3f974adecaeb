// The no-employees tip: shown until switched off, shown again once switched back on.

#include "app/base/Table.h"
#include "entry/ufmSemEmpregados.h"

#include "ProgramaTeste.h"
#include "ScriptedModal.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace gdvorn;

namespace {

// One use as a caller makes it: create, ask, show when asked, free. Returns whether it was shown.
bool usa(test::ScriptedModal &janelas, std::optional<bool> marcar)
{
    TfmSemEmpregados dica;
    if (!dica.DeveMostrar())
        return false;
    janelas.then([marcar](QDialog &d) {
        auto &dica = static_cast<TfmSemEmpregados &>(d);
        QCOMPARE(QApplication::focusWidget(), dica.BtFechar);
        if (marcar)
            dica.dkDicas->setChecked(*marcar);
        QTest::mouseClick(dica.BtFechar, Qt::LeftButton);
    });
    ExecutaModal(dica);
    return true;
}

QString indicador()
{
    Table resp(QStringLiteral("bd8resp"));
    resp.Open();
    return resp.FieldByName(QStringLiteral("InDicasSemEmpregados")).AsString();
}

} // namespace

class tst_ufmSemEmpregados : public QObject {
    Q_OBJECT
private slots:
    void desligadaNaoVoltaReligadaVolta();
    void legenda();
};

void tst_ufmSemEmpregados::desligadaNaoVoltaReligadaVolta()
{
    test::ProgramaTeste programa;
    test::ScriptedModal janelas;
    QVERIFY(usa(janelas, std::nullopt)); // never set: shown; Ok alone keeps it on
    QCOMPARE(indicador(), QStringLiteral("False"));
    QVERIFY(usa(janelas, true));
    QCOMPARE(indicador(), QStringLiteral("True"));
    QVERIFY(!usa(janelas, std::nullopt));
    QCOMPARE(janelas.shown.size(), 2);
    // Switched back on (from the responsible record, as another window would): shown again.
    {
        Table resp(QStringLiteral("bd8resp"));
        resp.Open();
        resp.Edit();
        resp.FieldByName(QStringLiteral("InDicasSemEmpregados")).setAsBoolean(false);
        resp.Post();
    }
    QVERIFY(usa(janelas, false));
    QCOMPARE(indicador(), QStringLiteral("False"));
    QVERIFY(usa(janelas, std::nullopt));
}

void tst_ufmSemEmpregados::legenda()
{
    test::ProgramaTeste programa;
    TfmSemEmpregados dica;
    QVERIFY(dica.DeveMostrar());
    QCOMPARE(dica.windowTitle(), QStringLiteral("GDVorn2010 - Declaração Sem Empregados"));
}

QTEST_MAIN(tst_ufmSemEmpregados)
#include "tst_ufmSemEmpregados.moc"
