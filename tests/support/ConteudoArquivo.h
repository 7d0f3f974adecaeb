#pragma once
// Whole-file reads and writes for tests that lay out or check files byte for byte.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

namespace gdvorn::test {

// The bytes of `caminho` (empty when it cannot be read).
inline QByteArray le(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes `bytes` as the whole of `caminho`; a failure fails the calling test.
inline void grava(const QString &caminho, const QByteArray &bytes)
{
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace gdvorn::test
