// The establishment list and the deletion window, driven offscreen: the filters, the focus after a
// filter, opening a row (with the repair of its stored type), the messages that leave the list open, and
// deleting an establishment with its links.

#include "app/base/Table.h"
#include "entry/FormEdits.h"
#include "entry/ufmConEstab.h"
#include "entry/ufmExcluir.h"

#include "LinhasDeclaracao.h"
#include "ProgramaTeste.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kAno = QStringLiteral("2010");
const QString kCnpj = QStringLiteral("12222333000100"); // not a valid number: only listed
const QString kCnpjValido = QStringLiteral("11222333000181");
const QString kCei = QStringLiteral("00120000000005"); // "00" + 12 digits beginning with 12

QString textoMensagem(const QString &codigo)
{
    Table t(QStringLiteral("tb8msg"));
    t.Open();
    return t.FindKey({codigo}) ? t.FieldByName(QStringLiteral("TxMensagem")).AsString().trimmed() : codigo;
}

QStringList razoes(const TfmConEstab &lista)
{
    QStringList r;
    for (int i = 0; i < lista.DBGridEstab->rowCount(); ++i)
        r << lista.DBGridEstab->item(i, 2)->text();
    r.sort();
    return r;
}

void seleciona(TfmConEstab &lista, const QString &razao)
{
    for (int i = 0; i < lista.DBGridEstab->rowCount(); ++i)
        if (lista.DBGridEstab->item(i, 2)->text() == razao)
            lista.DBGridEstab->setCurrentCell(i, 0);
}

} // namespace

class tst_ufmConEstab : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_programa = std::make_unique<ProgramaTeste>();
        m_lista = std::make_unique<TfmConEstab>();
    }
    void cleanup()
    {
        m_lista.reset();
        m_programa.reset();
    }

    void filtros_data();
    void filtros();
    void umaLinhaFocaOBotao_data();
    void umaLinhaFocaOBotao();
    void anoVazioFecha();
    void altF4NaoFecha();
    void menuDeContextoAbreOsAssistentes();
    void botaoTodasAsLetrasContinuaVisivel();
    void exibeAbreOEstabelecimento();
    void tipoCorrigidoComOsVinculos();
    void mensagensDeixamAListaAberta_data();
    void mensagensDeixamAListaAberta();
    void excluiComConfirmacao();
    void naoNaoExclui();

private:
    void mostra(bool exclusao = false)
    {
        m_lista->ModoExclusao = exclusao;
        m_lista->show();
        m_lista->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_lista.get()));
    }
    void estabelecimentos()
    {
        gravaEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("ALFA"));
        gravaEstab(kAno, kCei, QStringLiteral("00"), QStringLiteral("EPSILON"),
                   {{QStringLiteral("InInscrEstabelecimento"), QStringLiteral("3")}});
        gravaEstab(kAno, QStringLiteral("00001200000000"), QStringLiteral("00"), QStringLiteral("FOX"),
                   {{QStringLiteral("InInscrEstabelecimento"), QStringLiteral("3")}});
        gravaEstab(kAno, QStringLiteral("34222333000100"), QStringLiteral("00"), QStringLiteral("GAMA"));
        gravaEstab(QStringLiteral("2011"), QStringLiteral("12999999000100"), QStringLiteral("00"),
                   QStringLiteral("ETA"));
    }
    std::unique_ptr<ProgramaTeste> m_programa;
    std::unique_ptr<TfmConEstab> m_lista;
};

void tst_ufmConEstab::filtros_data()
{
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("razao");
    QTest::addColumn<QString>("letra");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("whole year") << "" << "" << "" << QStringList{"ALFA", "EPSILON", "FOX", "GAMA"};
    QTest::newRow("cnpj and cei by 12") << "12" << "" << "" << QStringList{"ALFA", "EPSILON"};
    QTest::newRow("two letters") << "" << "" << "SbEF" << QStringList{"EPSILON", "FOX"};
    QTest::newRow("one letter") << "" << "" << "SbA" << QStringList{"ALFA"};
    QTest::newRow("name wins over letter") << "" << "GA" << "SbEF" << QStringList{"GAMA"};
}

void tst_ufmConEstab::filtros()
{
    QFETCH(QString, inscricao);
    QFETCH(QString, razao);
    QFETCH(QString, letra);
    QFETCH(QStringList, esperado);
    estabelecimentos();
    mostra();
    if (!letra.isEmpty())
        m_lista->findChild<QToolButton *>(letra)->click();
    if (!inscricao.isEmpty())
        QTest::keyClicks(m_lista->mdInscricao, inscricao);
    if (!razao.isEmpty())
        QTest::keyClicks(m_lista->edRazao, razao);
    QCOMPARE(razoes(*m_lista), esperado);
}

void tst_ufmConEstab::umaLinhaFocaOBotao_data()
{
    QTest::addColumn<bool>("exclusao");
    QTest::newRow("open") << false;
    QTest::newRow("delete") << true;
}

void tst_ufmConEstab::umaLinhaFocaOBotao()
{
    QFETCH(bool, exclusao);
    estabelecimentos();
    mostra(exclusao);
    QTest::keyClicks(m_lista->mdInscricao, QStringLiteral("34"));
    QTest::keyClick(m_lista->mdInscricao, Qt::Key_Tab);
    QCOMPARE(m_lista->DBGridEstab->rowCount(), 1);
    QCOMPARE(QApplication::focusWidget(), exclusao ? m_lista->btExcluir : m_lista->BtExibir);
}

void tst_ufmConEstab::anoVazioFecha()
{
    gravaEstab(QStringLiteral("2009"), kCnpjValido, QStringLiteral("00"), QStringLiteral("ANTIGO"));
    m_lista->show();
    QTRY_VERIFY(!m_lista->isVisible());
}

void tst_ufmConEstab::altF4NaoFecha()
{
    estabelecimentos();
    mostra();
    // Alt+F4 opens the multiple-deletion wizard (closed here at once) instead of closing the list.
    ScriptedModal janelas;
    QTest::keyClick(m_lista->mdInscricao, Qt::Key_F4, Qt::AltModifier);
    QTest::qWait(20);
    QCOMPARE(janelas.shown, QStringList{QStringLiteral("fmExclMult")});
}

void tst_ufmConEstab::menuDeContextoAbreOsAssistentes()
{
    estabelecimentos();
    mostra();
    QStringList itens;
    m_lista->MostraMenu = [&itens](QMenu &menu, const QPoint &) {
        for (QAction *a : menu.actions())
            itens << a->text();
        menu.actions().at(2)->trigger();
    };
    ScriptedModal janelas;
    const QPoint ponto(10, 10);
    QContextMenuEvent pedido(QContextMenuEvent::Keyboard, ponto, m_lista->DBGridEstab->mapToGlobal(ponto));
    QApplication::sendEvent(m_lista->DBGridEstab, &pedido);
    QTRY_COMPARE(janelas.shown, QStringList{QStringLiteral("fmAltVinculo")});
    // Each item names its wizard and shows the keys that open it too.
    QCOMPARE(itens.size(), 3);
    QVERIFY(itens[0].endsWith(QStringLiteral("\tAlt+F3")));
    QVERIFY(itens[1].endsWith(QStringLiteral("\tAlt+F4")));
    QVERIFY(itens[2].endsWith(QStringLiteral("\tAlt+F5")));
    // The list closes when the wizard ends.
    QTRY_VERIFY(!m_lista->isVisible());
}

void tst_ufmConEstab::botaoTodasAsLetrasContinuaVisivel()
{
    estabelecimentos();
    mostra();
    auto *todos = m_lista->findChild<QToolButton *>(QStringLiteral("SbTodos"));
    QCOMPARE(todos->text(), QStringLiteral("Todos"));
    m_lista->findChild<QToolButton *>(QStringLiteral("SbA"))->click();
    QVERIFY(!todos->isChecked());
    QVERIFY(todos->isVisible());
    QVERIFY(!todos->text().isEmpty());
    todos->click();
    QCOMPARE(razoes(*m_lista), (QStringList{"ALFA", "EPSILON", "FOX", "GAMA"}));
}

void tst_ufmConEstab::exibeAbreOEstabelecimento()
{
    estabelecimentos();
    gravaEstab(kAno, kCnpjValido, QStringLiteral("01"), QStringLiteral("BETA"));
    QList<ChaveEstabelecimento> abertos;
    bool listaVisivel = true;
    m_lista->AbreEstabelecimento = [&](const ChaveEstabelecimento &c) {
        abertos << c;
        listaVisivel = m_lista->isVisible();
    };
    mostra();
    QTest::keyClick(m_lista->mdInscricao, Qt::Key_Tab); // an empty inscription hands over to the name
    QCOMPARE(QApplication::focusWidget(), m_lista->edRazao);
    QTest::keyClicks(m_lista->edRazao, QStringLiteral("BETA"));
    QTest::keyClick(m_lista->edRazao, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_lista->BtExibir);
    QTest::keyClick(m_lista->BtExibir, Qt::Key_Space);
    QCOMPARE(abertos, (QList<ChaveEstabelecimento>{{kAno, kCnpjValido, QStringLiteral("01")}}));
    // The list hid itself while the form was open, its modal showing going on; back from the form it is
    // on screen again with the whole year.
    QVERIFY(!listaVisivel);
    QVERIFY(m_lista->isVisible());
    QCOMPARE(m_lista->DBGridEstab->rowCount(), 5);
}

void tst_ufmConEstab::tipoCorrigidoComOsVinculos()
{
    // Valid only as a CEI, stored as a CNPJ, with its links.
    const QString cei = QStringLiteral("00000100000002");
    gravaEstab(kAno, cei, QStringLiteral("00"), QStringLiteral("OMEGA"));
    gravaVinculo(kAno, cei, QStringLiteral("00"), QStringLiteral("10000000001"), QStringLiteral("ANA"));
    gravaVinculo(kAno, cei, QStringLiteral("00"), QStringLiteral("10000000002"), QStringLiteral("BIA"));
    int abertos = 0;
    m_lista->AbreEstabelecimento = [&](const ChaveEstabelecimento &) { ++abertos; };
    mostra();
    m_lista->BtExibir->click();
    QCOMPARE(abertos, 1);
    QCOMPARE(campoEstab(kAno, cei, QStringLiteral("00"), QStringLiteral("InInscrEstabelecimento")), QStringLiteral("3"));
    Table vinc(QStringLiteral("bd8vinc"));
    vinc.Open();
    for (vinc.First(); !vinc.Eof(); vinc.Next())
        QCOMPARE(vinc.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString(), QStringLiteral("3"));
}

void tst_ufmConEstab::mensagensDeixamAListaAberta_data()
{
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("prefixo");
    QTest::addColumn<QString>("codigo");
    QTest::newRow("invalid number") << "12345678901234" << "00" << "1002";
    QTest::newRow("invalid prefix") << kCnpjValido << "0" << "1052";
    QTest::newRow("no row") << "" << "" << "1301";
}

void tst_ufmConEstab::mensagensDeixamAListaAberta()
{
    QFETCH(QString, inscricao);
    QFETCH(QString, prefixo);
    QFETCH(QString, codigo);
    gravaEstab(kAno, QStringLiteral("34222333000100"), QStringLiteral("00"), QStringLiteral("GAMA"));
    if (!inscricao.isEmpty())
        gravaEstab(kAno, inscricao, prefixo, QStringLiteral("ALVO"));
    int abertos = 0;
    m_lista->AbreEstabelecimento = [&](const ChaveEstabelecimento &) { ++abertos; };
    mostra();
    if (inscricao.isEmpty())
        m_lista->DBGridEstab->setCurrentCell(-1, -1);
    else
        seleciona(*m_lista, QStringLiteral("ALVO"));
    ScriptedPresenter caixas;
    m_lista->BtExibir->click();
    QCOMPARE(abertos, 0);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes.first().text, textoMensagem(codigo));
    QVERIFY(m_lista->isVisible());
}

void tst_ufmConEstab::excluiComConfirmacao()
{
    gravaEstab(kAno, kCnpjValido, QStringLiteral("00"), QStringLiteral("ALFA"),
               {{QStringLiteral("NuVinculosEstabelecimento"), QStringLiteral("000003")}});
    gravaEstab(kAno, kCnpjValido, QStringLiteral("01"), QStringLiteral("ALFA FILIAL"));
    for (int i = 1; i <= 3; ++i)
        gravaVinculo(kAno, kCnpjValido, QStringLiteral("00"), QStringLiteral("1000000000%1").arg(i), QStringLiteral("E"));
    gravaVinculo(kAno, kCnpjValido, QStringLiteral("01"), QStringLiteral("10000000009"), QStringLiteral("F"));
    TfmExcluir exclusao;
    m_lista->fmExcluir = &exclusao;
    mostra(true);
    seleciona(*m_lista, QStringLiteral("ALFA"));
    // The stored count as a number; every column but the name as wide as its values.
    auto *grade = m_lista->findChild<QTableWidget *>(QStringLiteral("DBGridEstab"));
    QCOMPARE(grade->item(grade->currentRow(), 4)->text(), QStringLiteral("3"));
    for (int c : {0, 1, 3, 4})
        for (int l = 0; l < grade->rowCount(); ++l)
            QVERIFY(grade->columnWidth(c) >= grade->fontMetrics().horizontalAdvance(grade->item(l, c)->text()));

    ScriptedModal janelas;
    ScriptedPresenter caixas;
    caixas.answer(MessageButton::Yes);
    QStringList mostrado;
    int maximo = 0, posicao = 0;
    janelas.then([&](QDialog &) {
        mostrado << exclusao.edTotalEmpregados->text() << exclusao.edTipoCGCCEI->text() << exclusao.pbTipoVorn->text()
                 << exclusao.edCgcVinculado->text();
        QCOMPARE(QApplication::focusWidget(), exclusao.bbExcluir);
        exclusao.bbExcluir->click();
        maximo = exclusao.BarraDeProgress->maximum();
        posicao = exclusao.BarraDeProgress->value();
    });
    m_lista->btExcluir->click();
    QCOMPARE(janelas.shown, QStringList{QStringLiteral("fmExcluir")});
    QCOMPARE(mostrado, (QStringList{"3", "CNPJ", "VORN com empregados", ""}));
    QCOMPARE(caixas.boxes.size(), 2);
    QCOMPARE(caixas.boxes[0].caption, QStringLiteral("Confirmação"));
    QCOMPARE(caixas.boxes[0].defaultButton, MessageButton::No);
    QCOMPARE(caixas.boxes[1].text, QStringLiteral("Estabelecimento excluído com sucesso."));
    QCOMPARE(maximo, 4);
    QCOMPARE(posicao, 4);
    QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), kAno, kCnpjValido, QStringLiteral("00")), 0);
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpjValido, QStringLiteral("00")), 0);
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpjValido, QStringLiteral("01")), 1);
    QCOMPARE(razoes(*m_lista), QStringList{QStringLiteral("ALFA FILIAL")});
}

void tst_ufmConEstab::naoNaoExclui()
{
    gravaEstab(kAno, kCnpjValido, QStringLiteral("00"), QStringLiteral("ALFA"));
    TfmExcluir exclusao;
    m_lista->fmExcluir = &exclusao;
    mostra(true);
    ScriptedModal janelas;
    ScriptedPresenter caixas;
    caixas.answer(MessageButton::No);
    bool abertaDepoisDoNao = false;
    janelas.then([&](QDialog &) {
        exclusao.bbExcluir->click();
        abertaDepoisDoNao = exclusao.isVisible();
        exclusao.sbCancelar->click();
    });
    m_lista->btExcluir->click();
    QVERIFY(abertaDepoisDoNao);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(contaLinhas(QStringLiteral("bd8emp"), kAno, kCnpjValido), 1);
    QCOMPARE(campoEstab(kAno, kCnpjValido, QStringLiteral("00"), QStringLiteral("InOpcaoAberta")), QString());
}

QTEST_MAIN(tst_ufmConEstab)
#include "tst_ufmConEstab.moc"
