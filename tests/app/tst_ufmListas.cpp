// The list fillers on their widgets: a combo box and a check list filled with the selection lines, the
// marked lines collected at 65 characters, and the longest line.

#include "app/base/Table.h"
#include "app/udmGDVorn.h"
#include "app/ufmListas.h"
#include "app/ugListas.h"

#include "ProgramFixture.h"
#include "TestData.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QtTest>

using namespace gdvorn;

namespace {

const QString kCnpj = QStringLiteral("11222333000181");

void insereEstab(const QString &prefixo, const QString &razao)
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("AnBase")).setAsString(QStringLiteral("2010"));
    t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(kCnpj);
    t.FieldByName(QStringLiteral("InInscrEstabelecimento")).setAsString(QStringLiteral("1"));
    t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(prefixo);
    t.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).setAsString(razao);
    t.FieldByName(QStringLiteral("InVornNegEstabelecimento")).setAsString(QStringLiteral("0"));
    t.Post();
}

void insereVinculo(const QString &pis, const QString &nome)
{
    Table t(QStringLiteral("bd8vinc"));
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("AnBase")).setAsString(QStringLiteral("2010"));
    t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(kCnpj);
    t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(QStringLiteral("01"));
    t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).setAsString(pis);
    t.FieldByName(QStringLiteral("DaAdmissaoEmpregado")).setAsString(QStringLiteral("01022009"));
    t.FieldByName(QStringLiteral("NoEmpregado")).setAsString(nome);
    t.Post();
}

} // namespace

class tst_ufmListas : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_pasta = std::make_unique<test::ProgramFixture>(test::ProgramFixture::EmptyTables);
        m_pasta->create(dmGDVorn, m_pasta->folder());
    }
    void cleanup()
    {
        m_pasta.reset();
    }

    void comboDeEstabelecimentos();
    void listaDeEstabelecimentosDesmarcadaERecarregada();
    void itensMarcadosGuardam65Caracteres();
    void larguraDoMaiorItem();

private:
    std::unique_ptr<test::ProgramFixture> m_pasta;
};

void tst_ufmListas::comboDeEstabelecimentos()
{
    insereEstab(QStringLiteral("01"), QStringLiteral("PADARIA"));
    QComboBox combo;
    combo.addItem(QStringLiteral("antigo"));
    CarregaEstabelecimentosCombo(&combo, QStringLiteral("2010"), QStringLiteral("N"));
    QCOMPARE(combo.count(), 1);
    QCOMPARE(combo.itemText(0), QStringLiteral("11.222.333/0001-81  01  PADARIA"));
}

void tst_ufmListas::listaDeEstabelecimentosDesmarcadaERecarregada()
{
    insereEstab(QStringLiteral("02"), QStringLiteral("BETA"));
    insereEstab(QStringLiteral("01"), QStringLiteral("ZETA"));
    QListWidget lista;
    CarregaEstabelecimentosLista(&lista, QStringLiteral("2010"), QString(), QStringLiteral("0"));
    QCOMPARE(lista.count(), 2);
    QCOMPARE(lista.item(0)->text().mid(24), QStringLiteral("ZETA"));
    lista.item(0)->setCheckState(Qt::Checked);
    CarregaEstabelecimentosLista(&lista, QStringLiteral("2010"), QString(), QStringLiteral("1"));
    QCOMPARE(lista.count(), 2);
    QCOMPARE(lista.item(0)->text().mid(24), QStringLiteral("BETA"));
    for (int i = 0; i < lista.count(); ++i) {
        QVERIFY(lista.item(i)->flags() & Qt::ItemIsUserCheckable);
        QCOMPARE(lista.item(i)->checkState(), Qt::Unchecked);
    }
    QStringList marcados;
    QCOMPARE(ItensMarcados(&lista, marcados), 0);
}

void tst_ufmListas::itensMarcadosGuardam65Caracteres()
{
    insereVinculo(QStringLiteral("10000000016"), QStringLiteral("ANA"));
    insereVinculo(QStringLiteral("10000000024"), QStringLiteral("BRUNO"));
    insereVinculo(QStringLiteral("10000000032"), QStringLiteral("CARLA"));
    QListWidget lista;
    CarregaEmpregados(&lista, QStringLiteral("2010"), kCnpj, QStringLiteral("1"), QStringLiteral("01"));
    QCOMPARE(lista.count(), 3);
    lista.item(0)->setCheckState(Qt::Checked);
    lista.item(2)->setCheckState(Qt::Checked);
    QStringList marcados{QStringLiteral("de antes")};
    QCOMPARE(ItensMarcados(&lista, marcados), 2);
    QCOMPARE(marcados, (QStringList{QStringLiteral("ANA").leftJustified(54) + QStringLiteral("100.00000.0"),
                                    QStringLiteral("CARLA").leftJustified(54) + QStringLiteral("100.00000.0")}));
    // Establishment lines are shorter than 65 characters and are kept whole, so their keys read back.
    const QString linha = LinhaEstabelecimento(kCnpj, QStringLiteral("1"), QStringLiteral("01"), QStringLiteral("X"));
    QListWidget estabs;
    auto *item = new QListWidgetItem(linha, &estabs);
    item->setCheckState(Qt::Checked);
    QCOMPARE(ItensMarcados(&estabs, marcados), 1);
    QCOMPARE(ChaveDaLinha(QStringLiteral("2010"), marcados[0]).Inscricao, kCnpj);
}

void tst_ufmListas::larguraDoMaiorItem()
{
    QListWidget lista;
    QCOMPARE(LarguraMaiorItem(&lista), 0);
    lista.addItems({QStringLiteral("abc"), QStringLiteral("abcdefg"), QStringLiteral("ab")});
    QCOMPARE(LarguraMaiorItem(&lista), 7);
}

QTEST_MAIN(tst_ufmListas)
#include "tst_ufmListas.moc"
