// The control hash: sealing a volume and checking a file against the hash it holds.

#include "app/base/Progresso.h"
#include "fileformat/ugHashVorn.h"

#include "ConteudoArquivo.h"
#include "ScriptedPresenter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace gdvorn;
using test::grava;
using test::le;

namespace {

// Three records of 550 characters with CR LF, the hash field of the last one blank.
QByteArray volume()
{
    QByteArray v;
    for (char tipo : {'0', '1', '9'})
        v += QByteArray(22, '1') + tipo + QByteArray(527, tipo == '9' ? ' ' : 'X') + "\r\n";
    return v;
}

class ProgressoCancelado : public Progresso {
public:
    ProgressoCancelado() { solicitaCancelamento(); }
};

} // namespace

class tst_ugHashVorn : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString arquivo() const { return m_dir.filePath(QStringLiteral("v.dec")); }

private slots:
    // The hash lands in the last 32 characters before the final CR LF, as upper-case hexadecimal, and
    // does not depend on what the field held.
    void selaEConfere()
    {
        grava(arquivo(), volume());
        const QString antes = hashFileGenerate(arquivo());
        QCOMPARE(SelaVolume(arquivo(), nullptr), ResultadoSelo::Selado);
        const QByteArray selado = le(arquivo());
        QCOMPARE(selado.size(), volume().size());
        QCOMPARE(selado.left(selado.size() - 34), volume().left(selado.size() - 34));
        QCOMPARE(selado.right(2), QByteArray("\r\n"));
        const QByteArray hash = selado.mid(selado.size() - 34, 32);
        QCOMPARE(QString::fromLatin1(hash), antes);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{32}$")).match(QString::fromLatin1(hash)).hasMatch());
        QCOMPARE(hashFileGenerate(arquivo()), antes);
        QVERIFY(ComparaHashArquivo(arquivo()));
    }

    void falhas_data()
    {
        QTest::addColumn<int>("posicao"); // byte changed, counted from the end (0: none)
        QTest::addColumn<int>("corte");   // bytes cut from the end
        QTest::newRow("byte de um registro") << 600 << 0;
        QTest::newRow("byte antes do campo") << 35 << 0;
        QTest::newRow("hash alterado") << 10 << 0;
        QTest::newRow("CR LF final") << 0 << 2;
        QTest::newRow("CR LF final a mais") << 0 << -2;
    }

    void falhas()
    {
        QFETCH(int, posicao);
        QFETCH(int, corte);
        grava(arquivo(), volume());
        QCOMPARE(SelaVolume(arquivo(), nullptr), ResultadoSelo::Selado);
        QByteArray bytes = le(arquivo());
        if (posicao)
            bytes[bytes.size() - posicao] = bytes.at(bytes.size() - posicao) == '0' ? '1' : '0';
        if (corte > 0)
            bytes.chop(corte);
        else if (corte < 0)
            bytes.append("\r\n");
        grava(arquivo(), bytes);
        QVERIFY(!ComparaHashArquivo(arquivo()));
    }

    void arquivosSemHash()
    {
        grava(arquivo(), volume());
        QVERIFY(!ComparaHashArquivo(arquivo())); // blank field
        grava(arquivo(), QByteArray(33, 'A'));
        QVERIFY(!ComparaHashArquivo(arquivo()));
        QVERIFY(!ComparaHashArquivo(m_dir.filePath(QStringLiteral("nao-existe.dec"))));
        QCOMPARE(hashFileGenerate(m_dir.filePath(QStringLiteral("nao-existe.dec"))), QString());
        QCOMPARE(SelaVolume(m_dir.filePath(QStringLiteral("nao-existe.dec")), nullptr), ResultadoSelo::ErroGravacao);
    }

    // A cancel confirmed before sealing leaves the field blank.
    void interrompido()
    {
        grava(arquivo(), volume());
        test::ScriptedPresenter p;
        p.answer(MessageButton::Yes);
        ProgressoCancelado progresso;
        QCOMPARE(SelaVolume(arquivo(), &progresso), ResultadoSelo::Interrompido);
        QCOMPARE(le(arquivo()), volume());
        QCOMPARE(p.boxes.size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_ugHashVorn)
#include "tst_ugHashVorn.moc"
