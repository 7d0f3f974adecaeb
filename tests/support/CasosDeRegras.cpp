#include "CasosDeRegras.h"

#include "TestData.h"

#include <QtTest>

namespace gdvorn::test {

void colunasDeRegras()
{
    QTest::addColumn<QString>("regra");
    QTest::addColumn<QStringList>("entradas");
    QTest::addColumn<QString>("esperado");
}

void caso(const char *nome, const char *regra, const QStringList &entradas, const char *esperado)
{
    QTest::newRow(nome) << QString::fromLatin1(regra) << entradas << QString::fromLatin1(esperado);
}

void verificaCaso(const QHash<QString, Regra> &regras)
{
    QFETCH(QString, regra);
    QFETCH(QStringList, entradas);
    QFETCH(QString, esperado);
    const auto it = regras.constFind(regra);
    QVERIFY2(it != regras.constEnd(), qPrintable(regra));
    const QString codigo = (*it)(entradas);
    QCOMPARE(codigo, esperado);
    QCOMPARE(codigo.size(), 4);
}

void verificaMensagens(std::initializer_list<const char *> erros, std::initializer_list<const char *> avisos)
{
    QList<QPair<QString, QString>> esperadas;
    for (const char *c : erros)
        esperadas << qMakePair(QString::fromLatin1(c), QStringLiteral("ERR"));
    for (const char *c : avisos)
        esperadas << qMakePair(QString::fromLatin1(c), QStringLiteral("WAR"));
    expectInstalledMessages(esperadas);
}

} // namespace gdvorn::test
