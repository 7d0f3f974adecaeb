// The employee list offscreen: its caption and establishment, the filters and the focus after them, the
// hand-over to the link form and back (the saved row, a new link, no link left, a PIS handed back), the
// establishment form's hand-over to the links, and the deletion of a link stored without PIS.

#include "app/base/Table.h"
#include "entry/FormEdits.h"
#include "entry/ufmConEmpreg.h"
#include "entry/ufmDadosEmpreg.h"

#include "LinhasDeclaracao.h"
#include "ProgramaTeste.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

Q_DECLARE_METATYPE(gdvorn::MessageButton)

namespace {

const QString kAno = QStringLiteral("2010");
const QString kCnpj = QStringLiteral("11222333000181");
const QString kPrefixo = QStringLiteral("01");
const ChaveEstabelecimento kChave{kAno, kCnpj, kPrefixo};

// PIS, name, nationality of the links of the establishment (in the list's order).
struct Vinculo {
    const char *pis, *nome, *nacionalidade;
};
const Vinculo kVinculos[] = {{"10000000001", "ANA", "10"},   {"10000000002", "BRUNO", "10"},
                             {"12300000003", "CARLA", "20"}, {"12300000004", "EDUARDO", "10"},
                             {"12400000005", "ELISA", "10"}, {"20000000006", "FABIO", "10"},
                             {"20000000007", "GABRIELA", ""}, {"20000000008", "HELIO", "10"}};

} // namespace

class tst_ufmConEmpreg : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_programa = std::make_unique<ProgramaTeste>();
        m_lista = std::make_unique<TfmConEmpreg>();
    }
    void cleanup()
    {
        m_lista.reset();
        m_programa.reset();
    }

    void apresentacao_data();
    void apresentacao();
    void filtros_data();
    void filtros();
    void focoAposFiltro_data();
    void focoAposFiltro();
    void vinculoAbertoVoltaAoCursor();
    void novoAbreVinculoVazio();
    void voltaDoVinculo_data();
    void voltaDoVinculo();
    void maoParaOsVinculos_data();
    void maoParaOsVinculos();
    void vinculoSemPis_data();
    void vinculoSemPis();

private:
    template <typename T = QWidget>
    T *w(const char *nome)
    {
        auto *c = m_lista->findChild<T *>(QLatin1String(nome));
        if (!c)
            qFatal("control %s missing", nome);
        return c;
    }
    QTableView *grade() { return w<QTableView>("DBGridVinculo"); }
    int linhas() { return grade()->model()->rowCount(); }
    QString texto(int linha, int coluna) { return grade()->model()->index(linha, coluna).data().toString(); }
    int linhaAtual() { return grade()->currentIndex().row(); }
    QStringList nomes()
    {
        QStringList r;
        for (int i = 0; i < linhas(); ++i)
            r << texto(i, 1);
        return r;
    }
    void estabelecimento(const QVariantMap &outros = {})
    {
        QVariantMap c{{QStringLiteral("NuVinculosEstabelecimento"), QStringLiteral("000008")}};
        c.insert(outros);
        gravaEstab(kAno, kCnpj, kPrefixo, QStringLiteral("EMPRESA EXEMPLO"), c);
        for (const Vinculo &v : kVinculos)
            gravaVinculo(kAno, kCnpj, kPrefixo, QLatin1String(v.pis), QLatin1String(v.nome),
                         {{QStringLiteral("CoNacionalidade"), QLatin1String(v.nacionalidade)}});
    }
    void mostra()
    {
        QVERIFY(LeContextoConsulta(kChave, m_lista->Consulta));
        m_lista->show();
        m_lista->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_lista.get()));
    }

    std::unique_ptr<ProgramaTeste> m_programa;
    std::unique_ptr<TfmConEmpreg> m_lista;
};

void tst_ufmConEmpreg::apresentacao_data()
{
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("encerramento");
    QTest::addColumn<QString>("legenda");
    QTest::addColumn<QString>("mostrada");
    QTest::newRow("CNPJ") << kCnpj << "1" << "" << "Declaração Ano-Base 2010" << "11.222.333/0001-81";
    QTest::newRow("CEI from its last 12") << "00123456789012" << "3" << "" << "Declaração Ano-Base 2010"
                                         << "12345.67890-12";
    QTest::newRow("closed next year") << kCnpj << "1" << "30062011" << "Encerramento de Atividades - 2011"
                                      << "11.222.333/0001-81";
    QTest::newRow("closed in the base year") << kCnpj << "1" << "30062010" << "Declaração Ano-Base 2010"
                                             << "11.222.333/0001-81";
}

void tst_ufmConEmpreg::apresentacao()
{
    QFETCH(QString, inscricao);
    QFETCH(QString, tipo);
    QFETCH(QString, encerramento);
    QFETCH(QString, legenda);
    QFETCH(QString, mostrada);
    gravaEstab(kAno, inscricao, kPrefixo, QStringLiteral("EMPRESA EXEMPLO"),
               {{QStringLiteral("InInscrEstabelecimento"), tipo},
                {QStringLiteral("InEncerramentoAtividade"), encerramento.isEmpty() ? "2" : "1"},
                {QStringLiteral("DaEncerramentoAtividade"), encerramento}});
    gravaVinculo(kAno, inscricao, kPrefixo, QStringLiteral("10000000001"), QStringLiteral("ANA"),
                 {{QStringLiteral("InInscrEstabelecimento"), tipo}});
    QVERIFY(LeContextoConsulta({kAno, inscricao, kPrefixo}, m_lista->Consulta));
    QCOMPARE(m_lista->Consulta.EncerradoAnoSeguinteConsulta, encerramento.endsWith(QLatin1String("2011")));
    m_lista->show();
    QVERIFY(QTest::qWaitForWindowActive(m_lista.get()));
    QCOMPARE(w<QLabel>("paAnoBase")->text(), legenda);
    QCOMPARE(w<QLineEdit>("mdInscricao")->text(), mostrada);
    QCOMPARE(w<QLineEdit>("edPrefixo")->text(), kPrefixo);
    QCOMPARE(w<QLineEdit>("edRazao")->text(), QStringLiteral("EMPRESA EXEMPLO"));
    QCOMPARE(nomes(), QStringList{QStringLiteral("ANA")});
    QCOMPARE(texto(0, 0), QStringLiteral("100.00000.00.1"));
    QCOMPARE(texto(0, 2), QStringLiteral("01/02/2009"));
    QCOMPARE(QApplication::focusWidget(), w("edPisPasep"));
}

void tst_ufmConEmpreg::filtros_data()
{
    QTest::addColumn<QString>("pis");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("letra");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("all") << "" << "" << "" << QStringList{"ANA",   "BRUNO", "CARLA",    "EDUARDO",
                                                          "ELISA", "FABIO", "GABRIELA", "HELIO"};
    QTest::newRow("pis 123") << "123" << "" << "" << QStringList{"CARLA", "EDUARDO"};
    QTest::newRow("name") << "" << "EL" << "" << QStringList{"ELISA"};
    QTest::newRow("pis and name") << "12" << "E" << "" << QStringList{"EDUARDO", "ELISA"};
    QTest::newRow("two letters") << "" << "" << "SbEF" << QStringList{"EDUARDO", "ELISA", "FABIO"};
    QTest::newRow("one letter") << "" << "" << "SbA" << QStringList{"ANA"};
    QTest::newRow("name wins over letter") << "" << "HE" << "SbEF" << QStringList{"HELIO"};
}

void tst_ufmConEmpreg::filtros()
{
    QFETCH(QString, pis);
    QFETCH(QString, nome);
    QFETCH(QString, letra);
    QFETCH(QStringList, esperado);
    estabelecimento();
    // Links of the same establishment under another CEI vinculado or another type are not its links here.
    gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("10000000009"), QStringLiteral("ALHEIO"),
                 {{QStringLiteral("CoCgcVinculado"), QStringLiteral("00123456789012")}});
    gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("10000000010"), QStringLiteral("OUTRO TIPO"),
                 {{QStringLiteral("InInscrEstabelecimento"), QStringLiteral("3")}});
    gravaVinculo(kAno, kCnpj, QStringLiteral("02"), QStringLiteral("10000000011"), QStringLiteral("FILIAL"));
    mostra();
    if (!letra.isEmpty())
        w<QToolButton>(qPrintable(letra))->click();
    if (!pis.isEmpty())
        QTest::keyClicks(w("edPisPasep"), pis);
    if (!nome.isEmpty())
        QTest::keyClicks(w("edNome"), nome);
    QCOMPARE(nomes(), esperado);
}

void tst_ufmConEmpreg::focoAposFiltro_data()
{
    QTest::addColumn<QString>("pis");
    QTest::addColumn<QString>("foco");
    QTest::newRow("one row") << "124" << "BtExibir";
    QTest::newRow("several") << "123" << "DBGridVinculo";
    QTest::newRow("none") << "9" << "BtNovo";
    QTest::newRow("empty: the name") << "" << "edNome";
}

void tst_ufmConEmpreg::focoAposFiltro()
{
    QFETCH(QString, pis);
    QFETCH(QString, foco);
    estabelecimento();
    mostra();
    QTest::keyClicks(w("edPisPasep"), pis);
    QTest::keyClick(w("edPisPasep"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), foco);
}

void tst_ufmConEmpreg::vinculoAbertoVoltaAoCursor()
{
    estabelecimento();
    mostra();
    ScriptedModal janelas;
    QString aberto;
    bool listaVisivel = true;
    janelas.then([&](QDialog &d) {
        aberto = d.findChild<QLineEdit *>(QStringLiteral("dePisPasep"))->text();
        QCOMPARE(static_cast<TfmDadosEmpreg &>(d).ModoEdicao, QStringLiteral("A"));
        listaVisivel = m_lista->isVisible();
    });
    grade()->setFocus();
    grade()->setCurrentIndex(grade()->model()->index(4, 0));
    QTest::keyClick(grade(), Qt::Key_Return);
    QCOMPARE(janelas.shown, QStringList{QStringLiteral("fmDadosEmpreg")});
    QCOMPARE(aberto, QStringLiteral("12400000005"));
    QCOMPARE(PisVinculo, QStringLiteral("12400000005"));
    QCOMPARE(RazaoSocialVinculo, QStringLiteral("EMPRESA EXEMPLO"));
    // The list was hidden behind the link form; back in the list: all links again, the cursor on the link
    // opened, the focus on the PIS search.
    QVERIFY(!listaVisivel);
    QVERIFY(m_lista->isVisible());
    QCOMPARE(linhas(), 8);
    QCOMPARE(linhaAtual(), 4);
    QTRY_COMPARE(QApplication::focusWidget(), w("edPisPasep"));
    // The saved row is kept when the list is shown again, and stays in range on a shorter list.
    m_lista->hide();
    m_lista->show();
    QCOMPARE(linhaAtual(), 4);
    m_lista->LinhaSalva = 20;
    m_lista->hide();
    m_lista->show();
    QCOMPARE(linhaAtual(), 7);
}

void tst_ufmConEmpreg::novoAbreVinculoVazio()
{
    estabelecimento();
    mostra();
    ScriptedModal janelas;
    QString modo, pis;
    janelas.then([&](QDialog &d) {
        modo = static_cast<TfmDadosEmpreg &>(d).ModoEdicao;
        pis = d.findChild<QLineEdit *>(QStringLiteral("dePisPasep"))->text();
    });
    PisVinculo = QStringLiteral("10000000001"); // left by an earlier link
    w<QPushButton>("BtNovo")->click();
    QCOMPARE(janelas.shown, QStringList{QStringLiteral("fmDadosEmpreg")});
    QCOMPARE(modo, QStringLiteral("I"));
    QCOMPARE(pis, QString());
    QCOMPARE(InscricaoVinculo, kCnpj);
    QCOMPARE(PrefixoVinculo, kPrefixo);
    QVERIFY(m_lista->isVisible());
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), 8);
}

void tst_ufmConEmpreg::voltaDoVinculo_data()
{
    QTest::addColumn<bool>("semVinculos");
    QTest::addColumn<QString>("pisDevolvido");
    QTest::addColumn<bool>("listaAberta");
    QTest::addColumn<QStringList>("listados");
    QTest::newRow("links left") << false << "" << true << QStringList{"ANA", "BRUNO", "CARLA", "EDUARDO",
                                                                         "ELISA", "FABIO", "GABRIELA", "HELIO"};
    QTest::newRow("no link left") << true << "" << false << QStringList{};
    QTest::newRow("PIS handed back") << false << "12300000004" << true << QStringList{"EDUARDO"};
}

void tst_ufmConEmpreg::voltaDoVinculo()
{
    QFETCH(bool, semVinculos);
    QFETCH(QString, pisDevolvido);
    QFETCH(bool, listaAberta);
    QFETCH(QStringList, listados);
    estabelecimento();
    mostra();
    QTest::keyClicks(w("edNome"), QStringLiteral("B"));
    ScriptedModal janelas;
    janelas.then([&](QDialog &d) {
        auto &vinculo = static_cast<TfmDadosEmpreg &>(d);
        vinculo.SemVinculos = semVinculos;
        if (!pisDevolvido.isEmpty())
            vinculo.DevolvePisLista(pisDevolvido);
    });
    w<QPushButton>("BtNovo")->click();
    QCOMPARE(m_lista->isVisible(), listaAberta);
    if (listaAberta) {
        QCOMPARE(nomes(), listados);
        QCOMPARE(w<QLineEdit>("edNome")->text(), QString());
        QCOMPARE(w<MaskEdit>("edPisPasep")->textoArmazenado(), pisDevolvido);
    }
}

void tst_ufmConEmpreg::maoParaOsVinculos_data()
{
    QTest::addColumn<QString>("contagem");
    QTest::addColumn<bool>("novo");
    QTest::addColumn<bool>("gravaVinculo");
    QTest::addColumn<QStringList>("janelas");
    QTest::newRow("with links: the list") << "000008" << false << false << QStringList{"fmConEmpreg"};
    QTest::newRow("none, new, nothing stored") << "000000" << true << false << QStringList{"fmDadosEmpreg"};
    QTest::newRow("none, a link stored: then the list")
        << "000000" << true << true << QStringList{"fmDadosEmpreg", "fmConEmpreg"};
}

void tst_ufmConEmpreg::maoParaOsVinculos()
{
    QFETCH(QString, contagem);
    QFETCH(bool, novo);
    QFETCH(bool, gravaVinculo);
    QFETCH(QStringList, janelas);
    const QString cei = QStringLiteral("00123456789012");
    gravaEstab(kAno, kCnpj, kPrefixo, QStringLiteral("EMPRESA EXEMPLO"),
               {{QStringLiteral("NuVinculosEstabelecimento"), contagem}, {QStringLiteral("CoCgcVinculado"), cei}});
    // Left by another establishment.
    CeiVinculado = QStringLiteral("00999999999999");
    RazaoSocialVinculo = QStringLiteral("OUTRA");
    PisVinculo = QStringLiteral("10000000001");
    ScriptedModal modal;
    modal.then([&](QDialog &d) {
        if (auto *vinculo = qobject_cast<TfmDadosEmpreg *>(&d)) {
            QCOMPARE(vinculo->ModoEdicao, QStringLiteral("I"));
            QCOMPARE(vinculo->SemVinculos, novo);
            if (gravaVinculo)
                vinculo->SemVinculos = false;
        }
    });
    m_lista->MostraVinculos(kChave, novo);
    QCOMPARE(modal.shown, janelas);
    // A new link from here (or from the list's Novo) belongs to this establishment.
    QCOMPARE(CeiVinculado, cei);
    QCOMPARE(RazaoSocialVinculo, QStringLiteral("EMPRESA EXEMPLO"));
    QCOMPARE(PisVinculo, QString());
}

void tst_ufmConEmpreg::vinculoSemPis_data()
{
    QTest::addColumn<bool>("existe");
    QTest::addColumn<MessageButton>("resposta");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<int>("vinculos");
    QTest::addColumn<QString>("contagens");
    QTest::newRow("deleted, counts stored") << true << MessageButton::Yes
                                            << "Este empregado deve ser excluído. Deseja excluir ?" << 8
                                            << "000008 00001";
    QTest::newRow("kept on No") << true << MessageButton::No << "Este empregado deve ser excluído. Deseja excluir ?"
                                << 9 << "000099 00099";
    QTest::newRow("none to delete") << false << MessageButton::Ok << "Você deve selecionar um empregado." << 8
                                    << "000099 00099";
}

void tst_ufmConEmpreg::vinculoSemPis()
{
    QFETCH(bool, existe);
    QFETCH(MessageButton, resposta);
    QFETCH(QString, mensagem);
    QFETCH(int, vinculos);
    QFETCH(QString, contagens);
    // Counts out of step, to see them recounted.
    estabelecimento({{QStringLiteral("NuVinculosEstabelecimento"), QStringLiteral("000099")},
                     {QStringLiteral("NuEstrangeirosEstabelec"), QStringLiteral("00099")}});
    if (existe)
        gravaVinculo(kAno, kCnpj, kPrefixo, QString(), QStringLiteral("SEM PIS"),
                     {{QStringLiteral("CoNacionalidade"), QStringLiteral("21")}});
    mostra();
    QTest::keyClicks(w("edNome"), QStringLiteral("ZZ")); // nothing selected
    QCOMPARE(linhas(), 0);
    ScriptedPresenter caixas;
    caixas.answer(resposta);
    ScriptedModal janelas;
    w<QPushButton>("BtExibir")->click();
    QVERIFY(janelas.shown.isEmpty());
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].text, mensagem);
    QCOMPARE(caixas.boxes[0].kind, existe ? MessageKind::Confirmation : MessageKind::Error);
    QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), vinculos);
    QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")) + QLatin1Char(' ') +
                 campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuEstrangeirosEstabelec")),
             contagens);
    if (!existe) // the list acts as if SbTodos had been pressed
        QCOMPARE(linhas(), 8);
    QVERIFY(m_lista->isVisible());
}

QTEST_MAIN(tst_ufmConEmpreg)
#include "tst_ufmConEmpreg.moc"
