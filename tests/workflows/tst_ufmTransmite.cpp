// The transmission window offscreen: the listing, check and selection, print mode, drive A:, the
// transmission through the stand-in for the transmission program (installed at the configured path under
// a temporary root folder), the refusals and failures, the protocol printed through the report recorder,
// and the whole way from the main window: record, transmit, print.

#include "Relatorio/ugRelatorios.h"
#include "app/udmDadosResp.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugEstrutura.h"
#include "entry/FormEdits.h"
#include "listview/QtLvListview.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ufmTransmite.h"
#include "workflows/ufmTransmiteLista.h"
#include "workflows/ugTransmite.h"

#include "FixtureConsistencia.h"
#include "FixtureVinculos.h"
#include "GravadorRelatorios.h"
#include "ProgramFixture.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "VolumesTransmissao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

using namespace gdvorn;
using test::VolumeTeste;

namespace {

QStringList textos(const test::ScriptedPresenter &p)
{
    QStringList t;
    for (const auto &b : p.boxes)
        t << b.text;
    return t;
}

lv::TLvItem *item(TfmTransmite &w, int i) { return w.LvListview1->Items()[i]; }
int quantos(TfmTransmite &w) { return w.LvListview1->Items().Count(); }
QPoint linha(int i) { return {300, 25 + 2 + 17 * i + 8}; }

// The process id the stand-in wrote in its log, once it has (0 after `ms` milliseconds without). Runs on
// a thread of its own while the window waits, so it uses no Qt object.
long pidDoSimulador(const std::string &log, int ms)
{
    for (int passado = 0; passado < ms; passado += 20) {
        std::ifstream f(log);
        std::string palavra;
        long pid = 0;
        if (f >> palavra >> pid && palavra == "pid" && pid > 0)
            return pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

} // namespace

class tst_ufmTransmite : public QObject {
    Q_OBJECT

    std::unique_ptr<test::FixtureTabelas> m_tabelas;
    std::unique_ptr<test::ProgramFixture> m_programa;
    std::unique_ptr<QTemporaryDir> m_raiz;
    std::unique_ptr<TConfiguracao> m_config;
    TConfiguracao *m_configAnterior = nullptr;
    QString m_transmite;

    QString arquivo(const QString &nome) const { return m_transmite + QLatin1Char('/') + nome; }
    QString log() const { return Raiz() + QStringLiteral("/simulador-vornnet.log"); }
    QString recibo(const QString &nome) const { return arquivo(nome.chopped(4) + QStringLiteral(".rec")); }

    std::unique_ptr<TfmTransmite> abre(bool impressao = false)
    {
        auto w = std::make_unique<TfmTransmite>();
        if (impressao)
            w->PreparaImpressao(false);
        w->show();
        w->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(w.get())); }();
        return w;
    }
    // Files 1..n, recorded.
    void gravados(int n)
    {
        for (int i = 1; i <= n; ++i)
            QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(i))));
    }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        m_raiz = std::make_unique<QTemporaryDir>();
        // Before the settings record is made: the transmission program's path comes from the root.
        qputenv("GDVORN_RAIZ", m_raiz->path().toLocal8Bit());
        qunsetenv("GDVORN_SIMULADOR");
        qunsetenv("GDVORN_UNIDADE_A");
        qunsetenv("GDVORN_UNIDADE_B");
        m_programa = std::make_unique<test::ProgramFixture>(*m_tabelas);
        m_transmite = m_programa->folder() + QStringLiteral("Transmite");
        QVERIFY(QDir().mkpath(m_transmite));
        m_config = std::make_unique<TConfiguracao>();
        m_configAnterior = setConfiguracao(m_config.get());
        QCOMPARE(Configuracao().CaminhoVornNet, Raiz() + QStringLiteral("/VornNet2010/VornNet2010"));
        QVERIFY(test::instalaSimulador(Configuracao().CaminhoVornNet));
        m_programa->create(dmRaveRelatorios);
        RegistraRelatorios(*dmRaveRelatorios);
    }
    void cleanup()
    {
        m_programa.reset();
        setConfiguracao(m_configAnterior);
        m_config.reset();
        m_tabelas.reset();
        m_raiz.reset();
        qunsetenv("GDVORN_SIMULADOR");
        qunsetenv("GDVORN_UNIDADE_A");
    }

    // Two files, the second with a receipt: "Gravada" and "Transmitida" with its number; both chosen,
    // Transmit refuses them all: the list file stays as it was and nothing runs.
    void listaERecusaTransmitidas()
    {
        gravados(2);
        VolumeTeste retificadora;
        retificadora.retificadora = true;
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(3)), retificadora));
        const QByteArray noventa = QByteArray("512345678").leftJustified(90, ' ');
        QVERIFY(test::gravaArquivo(recibo(test::nomeVolume(2)), noventa + SomaDeControle(noventa) + "\r\n"));
        QVERIFY(test::gravaArquivo(ArquivoListaTransmissao(), "antigo"));
        test::ScriptedPresenter caixas;
        auto w = abre();
        QCOMPARE(w->windowTitle(), QStringLiteral("Transmissão via Internet"));
        QTRY_COMPARE(QApplication::focusWidget(), w->LvListview1);
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(quantos(*w), 3);
        QCOMPARE(item(*w, 0)->ImageIndex(), int(itGravada));
        QCOMPARE(item(*w, 0)->Captions(ctCrea), QString());
        QCOMPARE(item(*w, 0)->Captions(ctInscricao), QStringLiteral("11.222.333/0001-81"));
        QCOMPARE(item(*w, 0)->Captions(ctSequencial), QStringLiteral("01"));
        QCOMPARE(item(*w, 0)->Captions(ctVinculos), QStringLiteral("2"));
        QCOMPARE(item(*w, 0)->ImageIndexes(ctRetificadora), -1);
        QCOMPARE(item(*w, 1)->ImageIndex(), int(itTransmitida));
        QCOMPARE(item(*w, 1)->Captions(ctCrea), QStringLiteral("590512345678"));
        QCOMPARE(item(*w, 2)->ImageIndexes(ctRetificadora), int(itRetificadora));
        QCOMPARE(w->Caminho(2), arquivo(test::nomeVolume(3)));
        QVERIFY(!w->btnTransmite->isEnabled());
        QVERIFY(!w->btnConsulta->isEnabled());
        QVERIFY(w->chkSelectAll->isVisible());
        QVERIFY(!w->btnImprime->isVisible());
        QVERIFY(w->btAnalise->isVisible());
        QVERIFY(!w->btAnalise->isEnabled());
        item(*w, 0)->SetChecked(true);
        QVERIFY(w->btAnalise->isEnabled()); // exactly one file
        item(*w, 1)->SetChecked(true);
        QVERIFY(!w->btAnalise->isEnabled());
        QVERIFY(w->btnTransmite->isEnabled());
        w->btnTransmite->click();
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Você selecionou uma ou mais declarações já transmitidas. "
                                                            "Refaça a seleção e tente novamente.")});
        QCOMPARE(caixas.boxes.at(0).kind, MessageKind::Warning);
        QCOMPARE(test::leArquivo(ArquivoListaTransmissao()), QByteArray("antigo"));
        QVERIFY(!QFileInfo::exists(log()));
        QVERIFY(w->btnTransmite->isEnabled());
    }

    // An empty folder warns; an unreadable file is named in one error box and the others are listed.
    void listagemComFalhas()
    {
        {
            test::ScriptedPresenter caixas;
            auto w = abre();
            QCOMPARE(textos(caixas), QStringList{QStringLiteral("Unidade não contém declaração do GDVorn2010.")});
            QCOMPARE(quantos(*w), 0);
            QVERIFY(w->BitBtnA->isEnabled() && w->BitBtnC->isEnabled());
        }
        gravados(1);
        QVERIFY(QFile::link(m_raiz->filePath(QStringLiteral("nada")), arquivo(test::nomeVolume(2))));
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(3))));
        test::ScriptedPresenter caixas;
        auto w = abre();
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes.at(0).kind, MessageKind::Error);
        QVERIFY(caixas.boxes.at(0).text.contains(test::nomeVolume(2)));
        QCOMPARE(quantos(*w), 2);
        QCOMPARE(w->Caminho(1), arquivo(test::nomeVolume(3)));
    }

    // Check and selection in step, by the handlers, the mouse and the select-all box; Transmit follows.
    void marcaESelecao()
    {
        gravados(3);
        test::ScriptedPresenter caixas;
        auto w = abre();
        QCOMPARE(w->LvListview1->PaintInfoItem().CheckType(), lv::TLvCheckType::ectBox);
        item(*w, 0)->SetChecked(true);
        QVERIFY(item(*w, 0)->Selected());
        QVERIFY(w->btnTransmite->isEnabled());
        item(*w, 1)->SetSelected(true);
        QVERIFY(item(*w, 1)->Checked());
        QVERIFY(item(*w, 0)->Selected()); // several at once
        item(*w, 0)->SetChecked(false);
        QVERIFY(!item(*w, 0)->Selected());
        item(*w, 1)->SetSelected(false);
        QVERIFY(!item(*w, 1)->Checked());
        QVERIFY(!w->btnTransmite->isEnabled());
        QTest::mouseClick(w->LvListview1->viewport(), Qt::LeftButton, {}, linha(2));
        QVERIFY(item(*w, 2)->Selected());
        QVERIFY(item(*w, 2)->Checked());
        QVERIFY(w->btnTransmite->isEnabled());
        w->chkSelectAll->click();
        for (int i = 0; i < 3; ++i)
            QVERIFY(item(*w, i)->Selected() && item(*w, i)->Checked());
        QCOMPARE(QApplication::focusWidget(), w->LvListview1);
        w->chkSelectAll->click();
        for (int i = 0; i < 3; ++i)
            QVERIFY(!item(*w, i)->Selected() && !item(*w, i)->Checked());
        QVERIFY(!w->btnTransmite->isEnabled());
        // The keyboard: Space checks the focused item, which selects it.
        w->LvListview1->setFocus();
        QTest::keyClick(w->LvListview1, Qt::Key_Down);
        QTest::keyClick(w->LvListview1, Qt::Key_Space);
        int marcados = 0;
        for (int i = 0; i < 3; ++i)
            marcados += item(*w, i)->Checked() && item(*w, i)->Selected() ? 1 : 0;
        QCOMPARE(marcados, 1);
        QVERIFY(w->btnTransmite->isEnabled());
        QCOMPARE(textos(caixas), QStringList());
    }

    // Print mode, as the menu and the print wizard open it; closing ends it.
    void modoImpressao_data()
    {
        QTest::addColumn<bool>("pelaAssistente");
        QTest::newRow("menu") << false;
        QTest::newRow("print wizard") << true;
    }
    void modoImpressao()
    {
        QFETCH(bool, pelaAssistente);
        gravados(2);
        test::ScriptedPresenter caixas;
        test::ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            auto &w = static_cast<TfmTransmite &>(d);
            QCOMPARE(w.windowTitle(), QStringLiteral("Imprimir Protocolo de Transmissão"));
            QVERIFY(w.memoImprime->isVisible() && !w.memoTransmite->isVisible());
            QVERIFY(w.btnImprime->isVisible() && !w.btnTransmite->isVisible());
            QVERIFY(!w.chkSelectAll->isVisible());
            QVERIFY(Configuracao().ModoImprimeProtocolo);
            QCOMPARE(Configuracao().ProtocoloPeloAssistente, pelaAssistente ? 1 : 0);
            QCOMPARE(w.LvListview1->PaintInfoItem().CheckType(), lv::TLvCheckType::ectNone);
            QVERIFY(!w.btnImprime->isEnabled());
            QTest::mouseClick(w.LvListview1->viewport(), Qt::LeftButton, {}, linha(0));
            QTest::mouseClick(w.LvListview1->viewport(), Qt::LeftButton, {}, linha(1));
            QVERIFY(!item(w, 0)->Selected());
            QVERIFY(item(w, 1)->Selected());
            QVERIFY(w.btnImprime->isEnabled());
            QVERIFY(!w.btnTransmite->isEnabled());
            w.btnCancelar->click();
            chegou = true;
        });
        AbreTransmissao(nullptr, true, pelaAssistente);
        QVERIFY(chegou);
        QCOMPARE(modal.shown, QStringList{QStringLiteral("fmTransmite")});
        QVERIFY(!Configuracao().ModoImprimeProtocolo);
        QCOMPARE(Configuracao().ProtocoloPeloAssistente, 0);
    }

    // Drive A:: without a medium (the user gives up) or empty: the warning and an empty list; with a file:
    // listed, and after its transmission drive A: is listed again.
    void unidadeA_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QStringList>("caixas");
        QTest::newRow("without medium") << 0
                                        << QStringList{QStringLiteral("Disquete com problema ou não há disquete no drive A:"),
                                                       QStringLiteral("Deseja interromper?"),
                                                       QStringLiteral("Unidade não contém declaração.")};
        QTest::newRow("empty") << 1 << QStringList{QStringLiteral("Unidade não contém declaração.")};
        QTest::newRow("with a file") << 2 << QStringList();
    }
    void unidadeA()
    {
        QFETCH(int, caso);
        gravados(1);
        const QString disquete = m_raiz->filePath(QStringLiteral("disquete"));
        if (caso > 0)
            QVERIFY(QDir().mkpath(disquete));
        if (caso == 2)
            QVERIFY(test::gravaVolume(disquete + QLatin1Char('/') + test::nomeVolume(5)));
        qputenv("GDVORN_UNIDADE_A", disquete.toLocal8Bit());
        test::ScriptedPresenter caixas;
        auto w = abre();
        QCOMPARE(quantos(*w), 1);
        item(*w, 0)->SetChecked(true);
        caixas.answer(MessageButton::Cancel);
        caixas.answer(MessageButton::Yes);
        w->BitBtnA->click();
        QTEST(textos(caixas), "caixas");
        if (caso < 2) {
            QCOMPARE(quantos(*w), 0);
            QVERIFY(!w->btnTransmite->isEnabled());
            return;
        }
        QCOMPARE(quantos(*w), 1);
        QCOMPARE(w->Caminho(0), disquete + QLatin1Char('/') + test::nomeVolume(5));
        item(*w, 0)->SetChecked(true);
        w->btnTransmite->click();
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(quantos(*w), 1);
        QCOMPARE(w->Caminho(0), disquete + QLatin1Char('/') + test::nomeVolume(5));
        QCOMPARE(item(*w, 0)->ImageIndex(), int(itTransmitida));
    }

    // The list file's lines end in "2", or in "1" with the certificate box, which runs the certified
    // program; the stand-in gets no arguments and its receipt shows.
    void transmite_data()
    {
        QTest::addColumn<bool>("certificado");
        QTest::newRow("without certificate") << false;
        QTest::newRow("with certificate") << true;
    }
    void transmite()
    {
        QFETCH(bool, certificado);
        gravados(3);
        Configuracao().CaminhoVornNetCertificado = Raiz() + QStringLiteral("/Certificado/VornNet2010");
        QVERIFY(test::instalaSimulador(Configuracao().CaminhoVornNetCertificado));
        test::ScriptedPresenter caixas;
        auto w = abre();
        w->chkCertif->setChecked(certificado);
        item(*w, 0)->SetChecked(true);
        item(*w, 2)->SetChecked(true);
        w->btnTransmite->click();
        QCOMPARE(textos(caixas), QStringList());
        const QByteArray fim = certificado ? "1\r\n" : "2\r\n";
        QCOMPARE(test::leArquivo(ArquivoListaTransmissao()),
                 QFile::encodeName(arquivo(test::nomeVolume(1))) + fim + QFile::encodeName(arquivo(test::nomeVolume(3))) + fim);
        const QByteArray registro = test::leArquivo(log());
        QVERIFY2(registro.contains("\nargumentos \n"), registro.constData());
        const QString programa = certificado ? Configuracao().CaminhoVornNetCertificado : Configuracao().CaminhoVornNet;
        QVERIFY(registro.contains("programa " + QFile::encodeName(programa) + "\n"));
        QCOMPARE(quantos(*w), 3);
        QCOMPARE(item(*w, 0)->ImageIndex(), int(itTransmitida));
        QCOMPARE(item(*w, 1)->ImageIndex(), int(itGravada));
        QCOMPARE(item(*w, 2)->ImageIndex(), int(itTransmitida));
        QVERIFY(item(*w, 0)->Captions(ctCrea).startsWith(QLatin1String("5905")));
        QCOMPARE(item(*w, 0)->Captions(ctCrea).size(), 12);
        QVERIFY(!w->btnTransmite->isEnabled()); // the new listing has nothing selected
    }

    // A file whose name is out of the pattern and one whose hash fails are skipped with their boxes; the
    // other is transmitted.
    void recusaArquivos()
    {
        const QString curto = QStringLiteral("Vorn2010_1122233300018010G.dec"); // 31 characters
        QVERIFY(test::gravaVolume(arquivo(curto)));
        gravados(2);
        QByteArray mudado = test::leArquivo(arquivo(test::nomeVolume(1)));
        mudado[600] = 'Z';
        QVERIFY(test::gravaArquivo(arquivo(test::nomeVolume(1)), mudado));
        test::ScriptedPresenter caixas;
        auto w = abre();
        QCOMPARE(w->Caminho(0), arquivo(curto));
        w->chkSelectAll->click();
        w->btnTransmite->click();
        QCOMPARE(textos(caixas),
                 (QStringList{QStringLiteral("A declaração não pode ser transmitida: nome do arquivo fora do padrão. Gere o "
                                             "arquivo novamente para transmissão."),
                              QStringLiteral("O arquivo \"") + test::nomeVolume(1) +
                                  QStringLiteral("\" não é uma declaração válida.\nUtilize a função \"Analisar Arquivo\" "
                                                 "para validar a declaração, depois tente novamente.")}));
        QCOMPARE(caixas.boxes.at(0).kind, MessageKind::Error);
        QCOMPARE(caixas.boxes.at(1).kind, MessageKind::Error);
        QCOMPARE(test::leArquivo(ArquivoListaTransmissao()), QFile::encodeName(arquivo(test::nomeVolume(2))) + "2\r\n");
        QCOMPARE(item(*w, 0)->ImageIndex(), int(itGravada));
        QCOMPARE(item(*w, 1)->ImageIndex(), int(itGravada));
        QCOMPARE(item(*w, 2)->ImageIndex(), int(itTransmitida));
    }

    // What goes wrong around the program: its box, nothing transmitted, and Transmit follows the
    // selection afterwards.
    void falhas_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("inicioDaCaixa");
        QTest::addColumn<bool>("rodou");
        QTest::newRow("certified program missing")
            << 0 << "Sua versão do VornNet não tem suporte à certificação digital.\nFaça a cópia (download)" << false;
        QTest::newRow("program missing") << 1 << "A transmissão da declaração via internet é feita com a utilização\n"
                                                 "do programa VornNet2010, não encontrado nesse computador."
                                         << false;
        QTest::newRow("not executable") << 2 << "Não foi possível executar o programa " << false;
        QTest::newRow("program fails") << 3 << "" << true;
    }
    void falhas()
    {
        QFETCH(int, caso);
        QFETCH(QString, inicioDaCaixa);
        QFETCH(bool, rodou);
        gravados(1);
        TConfiguracao &c = Configuracao();
        if (caso == 0)
            c.CaminhoVornNetCertificado = Raiz() + QStringLiteral("/Certificado/VornNet2010");
        if (caso == 1)
            QVERIFY(QFile::remove(c.CaminhoVornNet));
        if (caso == 2)
            QVERIFY(QFile::setPermissions(c.CaminhoVornNet, QFile::ReadOwner | QFile::WriteOwner));
        if (caso == 3)
            qputenv("GDVORN_SIMULADOR", "falha");
        test::ScriptedPresenter caixas;
        auto w = abre();
        w->chkCertif->setChecked(caso == 0);
        item(*w, 0)->SetChecked(true);
        w->btnTransmite->click();
        if (inicioDaCaixa.isEmpty()) {
            QCOMPARE(textos(caixas), QStringList());
        } else {
            QCOMPARE(caixas.boxes.size(), 1);
            QVERIFY2(caixas.boxes.at(0).text.startsWith(inicioDaCaixa), qPrintable(caixas.boxes.at(0).text));
        }
        if (caso == 2) {
            QVERIFY(caixas.boxes.at(0).text.startsWith(QStringLiteral("Não foi possível executar o programa ") +
                                                       c.CaminhoVornNet + QStringLiteral(".\n")));
            QVERIFY(caixas.boxes.at(0).text.size() > inicioDaCaixa.size() + c.CaminhoVornNet.size() + 2);
        }
        QCOMPARE(QFileInfo::exists(log()), rodou);
        QCOMPARE(item(*w, 0)->ImageIndex(), int(itGravada));
        QVERIFY(!QFileInfo::exists(recibo(test::nomeVolume(1))));
        // A listing follows a run (nothing selected); otherwise the choice stays, and Transmit with it.
        const bool listouDeNovo = caso >= 2;
        QCOMPARE(item(*w, 0)->Selected(), !listouDeNovo);
        QCOMPARE(w->btnTransmite->isEnabled(), !listouDeNovo);
        if (caso == 1)
            QCOMPARE(test::leArquivo(ArquivoListaTransmissao()), QFile::encodeName(arquivo(test::nomeVolume(1))) + "2\r\n");
    }

    // While the program runs the window waits, takes no input (an Esc given meanwhile is dropped) and
    // lists again once the program is gone.
    void programaPendurado()
    {
        gravados(1);
        qputenv("GDVORN_SIMULADOR", "pendura");
        test::ScriptedPresenter caixas;
        auto w = abre();
        item(*w, 0)->SetChecked(true);
        long pid = 0;
        bool habilitada = true;
        QWidget *janela = w.get();
        const std::string arquivoLog = QFile::encodeName(log()).toStdString();
        // Made here: an input event finds its device on the GUI thread.
        auto *esc = new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        std::thread vigia([&] {
            pid = pidDoSimulador(arquivoLog, 20000);
            if (pid <= 0) {
                delete esc;
                return;
            }
            habilitada = janela->isEnabled();
            QCoreApplication::postEvent(janela, esc);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            ::kill(pid_t(pid), SIGKILL);
        });
        QElapsedTimer relogio;
        relogio.start();
        w->btnTransmite->click();
        vigia.join();
        QVERIFY(pid > 0);
        QVERIFY(relogio.elapsed() >= 300);
        QVERIFY(!habilitada);
        QCoreApplication::processEvents();
        QVERIFY(w->isVisible());
        QVERIFY(w->isEnabled());
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(quantos(*w), 1);
        QCOMPARE(item(*w, 0)->ImageIndex(), int(itGravada));
    }

    // The protocol of a receipt: its ten values, or "Arquivo .rec inválido" for a receipt that does not
    // pass its check.
    void protocolo_data()
    {
        QTest::addColumn<QByteArray>("opcoes");
        QTest::addColumn<int>("mudaPosicao"); // 0: none
        QTest::addColumn<int>("vinculos");
        QTest::addColumn<QString>("crea");    // empty: refused
        QTest::addColumn<QString>("qtdVinc");
        QTest::newRow("5, 45 links") << QByteArray("quando=050320111432") << 0 << 45 << "5905" << "45";
        QTest::newRow("3, 12345 links") << QByteArray("inicio=3,quando=050320111432") << 0 << 12345 << "3903" << "12.345";
        QTest::newRow("9") << QByteArray("inicio=9,quando=050320111432") << 0 << 2 << "9909" << "2";
        QTest::newRow("changed character 1") << QByteArray() << 1 << 2 << "" << "";
        QTest::newRow("changed character 90") << QByteArray() << 90 << 2 << "" << "";
        QTest::newRow("crc-errado") << QByteArray("crc-errado") << 0 << 2 << "" << "";
        QTest::newRow("curto") << QByteArray("curto") << 0 << 2 << "" << "";
    }
    void protocolo()
    {
        QFETCH(QByteArray, opcoes);
        QFETCH(int, mudaPosicao);
        QFETCH(int, vinculos);
        QFETCH(QString, crea);
        QFETCH(QString, qtdVinc);
        VolumeTeste v;
        v.estabelecimentos = 123;
        v.vinculos = vinculos;
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(1)), v));
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(2))));
        qputenv("GDVORN_SIMULADOR", opcoes);
        test::ScriptedPresenter caixas;
        {
            auto w = abre();
            item(*w, 0)->SetChecked(true);
            w->btnTransmite->click();
            // A receipt written wrong shows as such, not as a transmission.
            QCOMPARE(item(*w, 0)->ImageIndex(), int(crea.isEmpty() && !mudaPosicao ? itReciboInvalido : itTransmitida));
        }
        if (mudaPosicao) {
            QByteArray r = test::leArquivo(recibo(test::nomeVolume(1)));
            r[mudaPosicao - 1] = r.at(mudaPosicao - 1) == '0' ? '1' : '0';
            QVERIFY(test::gravaArquivo(recibo(test::nomeVolume(1)), r));
        }
        test::GravadorRelatorios saida;
        auto w = abre(true);
        // A file not transmitted: its warning, nothing printed.
        QTest::mouseClick(w->LvListview1->viewport(), Qt::LeftButton, {}, linha(1));
        w->btnImprime->click();
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Declaração não transmitida.")});
        QCOMPARE(caixas.boxes.at(0).kind, MessageKind::Warning);
        caixas.boxes.clear();
        QTest::mouseClick(w->LvListview1->viewport(), Qt::LeftButton, {}, linha(0));
        w->btnImprime->click();
        QVERIFY(w->btnImprime->isEnabled());
        if (crea.isEmpty()) {
            QCOMPARE(textos(caixas), QStringList{QStringLiteral("Arquivo .rec inválido")});
            QCOMPARE(caixas.boxes.at(0).kind, MessageKind::Error);
            QCOMPARE(saida.relatorios.size(), 0);
            return;
        }
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(saida.relatorios.size(), 1);
        QCOMPARE(saida.relatorios.at(0).nome, QStringLiteral("Transmissao"));
        const QByteArray linhaRecibo = PrimeiraLinhaRecibo(recibo(test::nomeVolume(1)));
        const QString pagina = saida.relatorios.at(0).paginas.join(QLatin1Char('\f'));
        const QString hash = QString::fromLatin1(linhaRecibo.mid(58, 32));
        QStringList grupos;
        for (int i = 0; i < 8; ++i)
            grupos << hash.mid(4 * i, 4);
        const QStringList valores{crea + QString::fromLatin1(linhaRecibo.mid(1, 8)),
                                  QStringLiteral("11.222.333/0001-81"),
                                  qtdVinc,
                                  QStringLiteral("123"),
                                  QString::fromLatin1(SomaDeControle(test::leArquivo(arquivo(test::nomeVolume(1))))),
                                  QStringLiteral("05/03/2011 às "),
                                  QStringLiteral("14:32"),
                                  grupos.join(QLatin1Char('.')),
                                  QString::fromLatin1(linhaRecibo.mid(90, 10))};
        for (const QString &valor : valores)
            QVERIFY2(pagina.contains(valor.trimmed()), qPrintable(valor + QStringLiteral(" in\n") + pagina));
        QCOMPARE(dmRaveRelatorios->RvProject2.GetParam(QStringLiteral("Data")), QStringLiteral("05/03/2011 às "));
    }

    // No printer: the preview without its print button, and the warning.
    void semImpressora()
    {
        gravados(1);
        test::ScriptedPresenter caixas;
        {
            auto w = abre();
            item(*w, 0)->SetChecked(true);
            w->btnTransmite->click();
        }
        test::GravadorRelatorios saida;
        saida.impressora = false;
        auto w = abre(true);
        QTest::mouseClick(w->LvListview1->viewport(), Qt::LeftButton, {}, linha(0));
        w->btnImprime->click();
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Não há impressoras instaladas.")});
        QCOMPARE(saida.relatorios.size(), 1);
        QVERIFY(!saida.relatorios.at(0).imprimeDaVisualizacao);
    }
    // The whole way from the main window: the recording wizard writes to "Drive C:", its page 04's
    // "Transmitir" opens this window on the file just written, which is transmitted through the stand-in;
    // then "Imprimir > Protocolo de Transmissão" prints its protocol.
    void gravaTransmiteImprime()
    {
        test::preencheTabelasValidas(*m_tabelas);
        test::insereTabelasDoVinculo(*m_tabelas);
        m_tabelas->insere(QStringLiteral("bd8resp"), test::responsavelValido());
        const QString inscricao = QStringLiteral("11222333000181");
        m_tabelas->insere(QStringLiteral("bd8emp"),
                          test::estabelecimentoDeTeste({{"CoCgcCeiEstabelecimento", inscricao},
                                                        {"InVornNegEstabelecimento", "0"},
                                                        {"NuVinculosEstabelecimento", "2"}}));
        for (const auto &[pis, nome] : {std::pair{"13000000002", "ANA MARIA SOUZA"}, std::pair{"13000000010", "BRUNO COSTA LIMA"}})
            m_tabelas->insere(QStringLiteral("bd8vinc"),
                              test::vinculoDeTeste(QString::fromLatin1(pis), {{"CoCgcCeiEstabelecimento", inscricao},
                                                                              {"NoEmpregado", QString::fromLatin1(nome)}}));
        RegistraGravacao();
        RegistraTransmissao();
        m_programa->create(fmGDVORN);
        QCOMPARE(fmGDVORN->Config.CaminhoVornNet, Configuracao().CaminhoVornNet);
        fmGDVORN->show();
        fmGDVORN->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fmGDVORN));
        test::ScriptedPresenter caixas;
        test::GravadorRelatorios saida;
        test::ScriptedModal modal;
        QString gravado;
        modal.then([&](QDialog &d) {
            d.findChild<TfmGravaDecl00 *>()->bbAvancar->click();
            auto *p02 = d.findChild<TfmGravaDecl02 *>();
            p02->ckSelecionarTudo->click();
            p02->bbAvancar->click();
            d.findChild<TfmGravaDecl01 *>()->bbAvancar->click();
            auto *p03 = d.findChild<TfmGravaDecl03 *>();
            p03->mdDataConcluir->setFocus();
            p03->mdDataConcluir->selectAll();
            QTest::keyClicks(p03->mdDataConcluir, QStringLiteral("15032011"));
            p03->cbDriveConcluir->setCurrentIndex(p03->cbDriveConcluir->findText(QStringLiteral("Drive C:")));
            p03->bbAvancar->click();
            gravado = Configuracao().CaminhoArquivoGerado;
            d.findChild<TfmGravaDecl04 *>()->Button1->click();
        });
        bool transmitiu = false;
        modal.then([&](QDialog &d) {
            auto &w = static_cast<TfmTransmite &>(d);
            QCOMPARE(quantos(w), 1);
            QCOMPARE(w.Caminho(0), gravado);
            QCOMPARE(item(w, 0)->ImageIndex(), int(itGravada));
            QCOMPARE(item(w, 0)->Captions(ctInscricao), QStringLiteral("11.222.333/0001-81"));
            QCOMPARE(item(w, 0)->Captions(ctVinculos), QStringLiteral("2"));
            QTest::mouseClick(w.LvListview1->viewport(), Qt::LeftButton, {}, linha(0));
            QVERIFY(item(w, 0)->Checked());
            QTest::keyClick(w.btnTransmite, Qt::Key_Space);
            QCOMPARE(test::leArquivo(ArquivoListaTransmissao()), QFile::encodeName(gravado) + "2\r\n");
            QVERIFY(test::leArquivo(log()).contains("\nargumentos \n"));
            QCOMPARE(item(w, 0)->ImageIndex(), int(itTransmitida));
            QVERIFY(item(w, 0)->Captions(ctCrea).startsWith(QLatin1String("590")));
            QCOMPARE(item(w, 0)->Captions(ctCrea).size(), 12);
            w.btnCancelar->click();
            transmitiu = true;
        });
        fmGDVORN->ControlaBotoes();
        fmGDVORN->Gravardeclarao1->trigger();
        QVERIFY(!gravado.isEmpty());
        QCOMPARE(QFileInfo(gravado).path(), m_transmite);
        // The wizard gone, the main window is active again and the focus reaches the hand-over edit.
        fmGDVORN->activateWindow();
        QTRY_VERIFY(transmitiu);
        QVERIFY(!fmGDVORN->edTrans->isVisible());
        QCOMPARE(modal.shown, (QStringList{QStringLiteral("fmGravaDecl"), QStringLiteral("fmTransmite")}));
        QCOMPARE(textos(caixas), QStringList());

        modal.then([&](QDialog &d) {
            auto &w = static_cast<TfmTransmite &>(d);
            QVERIFY(w.btnImprime->isVisible());
            QTest::mouseClick(w.LvListview1->viewport(), Qt::LeftButton, {}, linha(0));
            QTest::keyClick(w.btnImprime, Qt::Key_Space);
        });
        fmGDVORN->ProtocolodeTransmisso1->trigger();
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(saida.relatorios.size(), 1);
        QCOMPARE(saida.relatorios.at(0).nome, QStringLiteral("Transmissao"));
        const QString pagina = saida.relatorios.at(0).paginas.join(QLatin1Char('\f'));
        const QByteArray linhaRecibo = PrimeiraLinhaRecibo(NomeReciboTransmissao(gravado));
        QVERIFY(VerificaCRC(linhaRecibo));
        for (const auto &[nome, valor] : ParametrosTransmissao(linhaRecibo, 2010))
            QVERIFY2(pagina.contains(valor.trimmed()), qPrintable(nome + QStringLiteral(": ") + valor + QStringLiteral(" in\n") + pagina));
        const auto p = ParametrosTransmissao(linhaRecibo, 2010);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d{3}\\.\\d{3}/\\d{4}-\\d\\d$|^\\d{5}\\.\\d{5}-\\d\\d$")).match(p.at(2).second).hasMatch());
        QCOMPARE(p.at(3).second, QStringLiteral("2"));
        QCOMPARE(p.at(4).second, QStringLiteral("1"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} às $")).match(p.at(6).second).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(p.at(7).second).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^([0-9A-F]{4}\\.){7}[0-9A-F]{4}$")).match(p.at(8).second).hasMatch());
        QCOMPARE(QString(p.at(8).second).remove(QLatin1Char('.')), QString::fromLatin1(test::leArquivo(gravado).right(34).left(32)));
        QVERIFY(!Configuracao().ModoImprimeProtocolo);
    }
    // A receipt that fails its check: the file shows "Recibo inválido", not "Transmitida", and may be
    // sent again; the new receipt shows it transmitted.
    void reciboInvalidoReenviado()
    {
        gravados(1);
        QVERIFY(test::gravaArquivo(recibo(test::nomeVolume(1)), QByteArray("512345678").leftJustified(100, '0') + "\r\n"));
        test::ScriptedPresenter caixas;
        auto w = abre();
        QCOMPARE(quantos(*w), 1);
        QCOMPARE(item(*w, 0)->ImageIndex(), int(itReciboInvalido));
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("paLegenda")));
        QStringList legenda;
        for (const QLabel *l : w->findChild<QWidget *>(QStringLiteral("paLegenda"))->findChildren<QLabel *>())
            if (!l->text().isEmpty())
                legenda << l->text();
        QVERIFY(legenda.contains(QStringLiteral("Recibo inválido")));
        item(*w, 0)->SetChecked(true);
        w->btnTransmite->click();
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(test::leArquivo(ArquivoListaTransmissao()), QFile::encodeName(arquivo(test::nomeVolume(1))) + "2\r\n");
        QCOMPARE(quantos(*w), 1);
        QCOMPARE(item(*w, 0)->ImageIndex(), int(itTransmitida));
        QVERIFY(VerificaCRC(PrimeiraLinhaRecibo(recibo(test::nomeVolume(1)))));
    }

    // A diskette folder given as a relative path: the list file holds the volume's full path, and the
    // transmission program, which runs elsewhere, finds it.
    void disqueteRelativo()
    {
        gravados(1);
        const QString antes = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_raiz->path()));
        const QString disquete = m_raiz->filePath(QStringLiteral("disquete"));
        QVERIFY(QDir().mkpath(disquete));
        QVERIFY(test::gravaVolume(disquete + QLatin1Char('/') + test::nomeVolume(5)));
        qputenv("GDVORN_UNIDADE_A", "disquete");
        test::ScriptedPresenter caixas;
        auto w = abre();
        w->BitBtnA->click();
        QCOMPARE(quantos(*w), 1);
        item(*w, 0)->SetChecked(true);
        w->btnTransmite->click();
        const QByteArray lista = test::leArquivo(ArquivoListaTransmissao());
        QVERIFY(QDir::setCurrent(antes));
        QVERIFY2(textos(caixas).isEmpty(), qPrintable(textos(caixas).join(QLatin1Char('|'))));
        QCOMPARE(lista, QFile::encodeName(disquete + QLatin1Char('/') + test::nomeVolume(5)) + "2\r\n");
        QVERIFY(QFileInfo::exists(disquete + QLatin1Char('/') + test::nomeVolume(5).chopped(4) + QStringLiteral(".rec")));
    }
};

QTEST_MAIN(tst_ufmTransmite)
#include "tst_ufmTransmite.moc"
