#include "app/ufmLimpaEdits.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

using namespace gdvorn;

class tst_ufmLimpaEdits : public QObject {
    Q_OBJECT

private slots:
    void limpaEditsEmQualquerNivel();
};

void tst_ufmLimpaEdits::limpaEditsEmQualquerNivel()
{
    QWidget form;
    auto *raso = new QLineEdit(QStringLiteral("raso"), &form);
    auto *abas = new QTabWidget(&form);
    auto *pagina = new QWidget;
    abas->addTab(pagina, QStringLiteral("Aba"));
    auto *grupo = new QGroupBox(pagina);
    auto *fundo = new QLineEdit(QStringLiteral("fundo"), grupo);
    auto *mascara = new QLineEdit(grupo);
    mascara->setInputMask(QStringLiteral("99.999-999"));
    mascara->setText(QStringLiteral("70000000"));
    auto *somenteLeitura = new QLineEdit(QStringLiteral("descrição"), grupo);
    somenteLeitura->setReadOnly(true);
    auto *memo = new QPlainTextEdit(QStringLiteral("memo"), grupo);
    auto *rico = new QTextEdit(QStringLiteral("rico"), grupo);
    auto *combo = new QComboBox(grupo);
    combo->setEditable(true);
    combo->setEditText(QStringLiteral("digitado"));
    auto *lista = new QComboBox(grupo);
    lista->addItems({QStringLiteral("A"), QStringLiteral("B")});
    lista->setCurrentIndex(1);
    auto *numero = new QSpinBox(grupo);
    numero->setValue(7);
    auto *data = new QDateEdit(QDate(2010, 5, 1), grupo);

    QLineEdit fora(QStringLiteral("fora"));

    LimpaEdits(&form);

    QCOMPARE(raso->text(), QString());
    QCOMPARE(fundo->text(), QString());
    QCOMPARE(mascara->text(), QStringLiteral(".-"));
    QCOMPARE(somenteLeitura->text(), QString());
    QCOMPARE(memo->toPlainText(), QString());
    QCOMPARE(rico->toPlainText(), QString());
    QCOMPARE(combo->currentText(), QStringLiteral("digitado"));
    QCOMPARE(lista->currentText(), QStringLiteral("B"));
    QCOMPARE(numero->value(), 7);
    QCOMPARE(data->date(), QDate(2010, 5, 1));
    QCOMPARE(fora.text(), QStringLiteral("fora"));

    LimpaEdits(nullptr);
}

QTEST_MAIN(tst_ufmLimpaEdits)
#include "tst_ufmLimpaEdits.moc"
