// The program's application object speaks Portuguese in the toolkit's own windows.

#include "app/QtAplicacao.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QtTest>

using namespace gdvorn;

class tst_QtAplicacao : public QObject {
    Q_OBJECT
private slots:
    void textosDoQtEmPortugues();
};

void tst_QtAplicacao::textosDoQtEmPortugues()
{
    // The standard buttons of the dialogs.
    QDialogButtonBox botoes(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    QCOMPARE(botoes.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Cancelar"));
    QCOMPARE(botoes.button(QDialogButtonBox::Save)->text().remove(QLatin1Char('&')), QStringLiteral("Salvar"));
    // The file dialog of the backup, the restore and "Salvar Resumo" (the toolkit's own, not the desktop's).
    QFileDialog dialogo(nullptr, QStringLiteral("Salvar"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    QCOMPARE(dialogo.labelText(QFileDialog::LookIn), QCoreApplication::translate("QFileDialog", "Look in:"));
    QVERIFY(dialogo.labelText(QFileDialog::LookIn) != QLatin1String("Look in:"));
    QVERIFY(dialogo.labelText(QFileDialog::Reject).remove(QLatin1Char('&')).startsWith(QStringLiteral("Cancelar")));
    // A second load adds nothing wrong and reports the files present.
    QVERIFY(CarregaTraducoesQt(*QCoreApplication::instance()));
}

// The test runs under the program's application object, which loads the translations at start-up.
#undef QTEST_MAIN_SETUP
#define QTEST_MAIN_SETUP() QTEST_QAPP_SETUP(gdvorn::TAplicacao)
QTEST_MAIN(tst_QtAplicacao)
#include "tst_QtAplicacao.moc"
