#include "backup/LZRW1KH.h"

#include <QTest>

#include <vector>

using namespace gdvorn;

class tst_LZRW1KH : public QObject {
    Q_OBJECT
private slots:
    void expande_data();
    void expande();
    void recusaBlocoInvalido_data();
    void recusaBlocoInvalido();
};

namespace {
QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray r;
    for (int v : b)
        r.append(char(v));
    return r;
}
} // namespace

void tst_LZRW1KH::expande_data()
{
    QTest::addColumn<QByteArray>("bloco");
    QTest::addColumn<QByteArray>("esperado");
    QTest::newRow("guardado") << bytes({128, 'a', 'b', 'c', 'd'}) << QByteArray("abcd");
    QTest::newRow("guardado vazio") << bytes({128}) << QByteArray();
    // A literal, then a copy from one byte back of 18 bytes that overlaps what it writes.
    QTest::newRow("copia sobreposta") << bytes({0, 0x40, 0x00, 'x', 0x00, 0x1F}) << QByteArray(19, 'x');
    QTest::newRow("sequencia minima") << bytes({0, 0x80, 0x00, 0, 0, 0, 65}) << QByteArray(16, 'A');
    QTest::newRow("sequencia 272") << bytes({0, 0x80, 0x00, 0, 1, 0, 65}) << QByteArray(272, 'A');
    // Sixteen literals use the first control word; the seventeenth item reads a new one (a copy).
    QByteArray dezesseis = bytes({0, 0x00, 0x00}) + QByteArray("abcdefghijklmnop") + bytes({0x80, 0x00, 0x01, 0x00});
    QTest::newRow("segunda palavra de controle") << dezesseis << QByteArray("abcdefghijklmnopabc");
}

void tst_LZRW1KH::expande()
{
    QFETCH(QByteArray, bloco);
    QFETCH(QByteArray, esperado);
    std::vector<std::uint8_t> saida(kLzrwMaxBlock);
    const int n = ExpandBlock(reinterpret_cast<const std::uint8_t *>(bloco.constData()), saida.data(), int(bloco.size()));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(saida.data()), n), esperado);
}

void tst_LZRW1KH::recusaBlocoInvalido_data()
{
    QTest::addColumn<QByteArray>("bloco");
    QTest::newRow("copia antes do inicio") << bytes({0, 0x80, 0x00, 0x00, 0x20});
    QTest::newRow("item cortado") << bytes({0, 0x80, 0x00, 0x00});
    QTest::newRow("sequencia cortada") << bytes({0, 0x80, 0x00, 0, 0, 0});
    // Runs of 4111 bytes, eight of them, pass the end of the output area.
    QByteArray longa = bytes({0, 0xFF, 0x00});
    for (int i = 0; i < 8; ++i)
        longa += bytes({0, 0x0F, 0xFF, 'z'});
    QTest::newRow("saida cheia") << longa;
}

void tst_LZRW1KH::recusaBlocoInvalido()
{
    QFETCH(QByteArray, bloco);
    std::vector<std::uint8_t> saida(kLzrwMaxBlock);
    QCOMPARE(ExpandBlock(reinterpret_cast<const std::uint8_t *>(bloco.constData()), saida.data(), int(bloco.size())), -1);
}

QTEST_GUILESS_MAIN(tst_LZRW1KH)
#include "tst_LZRW1KH.moc"
