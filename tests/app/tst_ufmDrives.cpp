// The drive combo of the wizards and the count of checked items.

#include "app/ufmDrives.h"

#include <QComboBox>
#include <QListWidget>
#include <QtTest>

using namespace gdvorn;

class tst_ufmDrives : public QObject {
    Q_OBJECT

private slots:
    void carregaDrives()
    {
        qputenv("GDVORN_UNIDADE_A", QDir::tempPath().toLocal8Bit());
        qunsetenv("GDVORN_UNIDADE_B");
        QComboBox combo;
        combo.addItem(QStringLiteral("antigo"));
        QStringList letras{QStringLiteral("Z")};
        CarregaDrives(letras, &combo);
        QCOMPARE(letras, (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
        QCOMPARE(combo.count(), 2);
        QCOMPARE(combo.itemText(0), QStringLiteral("Drive A:"));
        QCOMPARE(combo.itemText(1), QStringLiteral("Drive C:"));
        QCOMPARE(combo.currentIndex(), -1); // no drive chosen until the user chooses one
        combo.setCurrentIndex(1);
        CarregaDrives(letras, &combo);
        QCOMPARE(combo.currentIndex(), -1);
    }

    void qtdMarcados()
    {
        QListWidget lista;
        QCOMPARE(QtdMarcados(&lista), 0);
        for (int i = 0; i < 4; ++i) {
            auto *item = new QListWidgetItem(QString::number(i), &lista);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(i % 2 ? Qt::Checked : Qt::Unchecked);
        }
        QCOMPARE(QtdMarcados(&lista), 2);
    }
};

QTEST_MAIN(tst_ufmDrives)
#include "tst_ufmDrives.moc"
