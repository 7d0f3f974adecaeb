// The analysis wizard's rewrite offscreen: the drive and the CREA of page 01, the writer's cancel and
// failure, the success page and its hand-off to the transmission window (from the main window and from
// the transmission window's own button), the split mode, and the work tables gone whichever page ends
// the wizard.

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "fileformat/ugHashVorn.h"
#include "listview/QtLvListview.h"
#include "workflows/ufmAnalis.h"
#include "workflows/ufmTransmite.h"
#include "workflows/ugAnalis.h"

#include "tests/workflows/BancadaAnalise.h"
#include "GravadorRelatorios.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

class tst_ufmAnalisGravacao : public QObject {
    Q_OBJECT

    std::unique_ptr<BancadaAnalise> m_b;

    // Page 01's drive combo of the panel shown, set to "Drive C:".
    static QComboBox *driveC(TfmAnalis01 *p01)
    {
        QComboBox *combo = p01->PDist->isVisible() ? p01->cbDriveAvisos : p01->cbDrive;
        combo->setCurrentIndex(combo->findText(QStringLiteral("Drive C:")));
        return combo;
    }

private slots:
    void init() { m_b = std::make_unique<BancadaAnalise>(); }
    void cleanup() { m_b.reset(); }

    // Warnings only (PDist, cbDriveAvisos) and clean (POk, cbDrive): the combo starts with no drive
    // chosen and Concluir so is "0600" with the focus on the combo; drive C: a sealed volume with the
    // header CREA zeros, whatever the file held; page 02; Transmitir leaves the transmission window to
    // open once the wizard has unwound.
    void reescreve_data()
    {
        QTest::addColumn<bool>("aviso");
        QTest::newRow("avisos") << true;
        QTest::newRow("nada") << false;
    }
    void reescreve()
    {
        QFETCH(bool, aviso);
        m_b->escreveArquivo({.aviso = aviso});
        Configuracao().QtdArquivos = 3; // an earlier write of several files
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        ScriptedModal modal;
        QVERIFY(m_b->roda(modal, "Analisador2", [&](QDialog &d) {
            auto *p01 = pagina01(d, m_b->arquivo());
            QVERIFY(p01);
            QComboBox *combo = aviso ? p01->cbDriveAvisos : p01->cbDrive;
            QVERIFY(combo->isVisible());
            if (aviso) {
                p01->BtVisualizar->click();
                QCOMPARE(relatorios.relatorios.size(), 1);
                QCOMPARE(relatorios.relatorios.first().nome, QStringLiteral("rptErros"));
                QCOMPARE(dmRaveRelatorios->ErrWar, QStringLiteral("war"));
            }
            QCOMPARE(combo->currentIndex(), -1); // filled with no drive chosen
            p01->BtConcluir->click();
            QCOMPARE(caixas.boxes.size(), 1);
            QVERIFY(caixas.boxes.first().text.contains(QLatin1String("0600")));
            QVERIFY(combo->hasFocus());
            QCOMPARE(atual(d), p01);
            QVERIFY(m_b->volumes().isEmpty());
            QCOMPARE(driveC(p01), combo);
            p01->BtConcluir->click();
            auto *p02 = pagina<TfmAnalis02>(d);
            QCOMPARE(atual(d), p02);
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Analisar um arquivo VORN2010"));
            QVERIFY(p02->meAnaliseOK->isVisible());
            QVERIFY(!p02->meAnaliseOkPartic->isVisible());
            for (QPushButton *b : {p02->bbRelat, p02->bbEtiq, p02->btSalvarRelat, p02->btnTransmite, p02->bbFechar})
                QVERIFY2(b->isVisible(), qPrintable(b->objectName()));
            p02->bbRelat->click();
            QCOMPARE(relatorios.relatorios.last().nome, QStringLiteral("rptProtocolo"));
            p02->btnTransmite->click();
            QVERIFY(!d.isVisible());
        }));
        // One file written: no count box, whatever an earlier write made.
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(Configuracao().QtdArquivos, 1);
        const QStringList v = m_b->volumes();
        QCOMPARE(v.size(), 1);
        QVERIFY(ComparaHashArquivo(m_b->transmite() + QLatin1Char('/') + v.first()));
        QCOMPARE(m_b->cabecalho(v.first()).mid(371, 12), QByteArray("000000000000"));
        QCOMPARE(Configuracao().TransmiteAposGravacao, 1);
        QVERIFY(fmGDVORN->edTrans->isVisibleTo(fmGDVORN));
        BancadaAnalise::semTabelas();
    }

    // A rectification file: the CREA edit of the panel shown can be edited; a CREA refused by the code
    // the checks give in their order, CriticaCrea first, with the focus on the edit and nothing written;
    // a valid one in the header at 372-383, with the rectification mark at 223.
    void retificacao_data()
    {
        QTest::addColumn<bool>("aviso");
        QTest::addColumn<QString>("crea");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("vazio") << false << "" << "0040";
        QTest::newRow("zeros") << false << "000000000000" << "3734";
        QTest::newRow("malformado") << false << "12345" << "0040";
        QTest::newRow("segundo digito") << true << "123456789012" << "3734";
        QTest::newRow("valido") << false << "192345678901" << "0000";
        QTest::newRow("valido com avisos") << true << "192345678901" << "0000";
    }
    void retificacao()
    {
        QFETCH(bool, aviso);
        QFETCH(QString, crea);
        QFETCH(QString, codigo);
        m_b->escreveArquivo({.aviso = aviso, .retificacao = true});
        ScriptedPresenter caixas;
        ScriptedModal modal;
        QVERIFY(m_b->roda(modal, "Analisador2", [&](QDialog &d) {
            auto *p01 = pagina01(d, m_b->arquivo());
            QVERIFY(p01);
            QVERIFY(p01->ArquivoRetificador);
            QLineEdit *edCrea = aviso ? p01->edCreaAvisos : p01->edCrea;
            QVERIFY(edCrea->isVisible());
            QVERIFY((aviso ? p01->Label4 : p01->Label3)->isVisible());
            QVERIFY(!edCrea->isReadOnly());
            QVERIFY(edCrea->focusPolicy() & Qt::TabFocus);
            QCOMPARE(edCrea->text(), QString());
            driveC(p01);
            QTest::keyClicks(edCrea, crea);
            p01->BtConcluir->click();
            if (codigo != QLatin1String("0000")) {
                QCOMPARE(caixas.boxes.size(), 1);
                QVERIFY2(caixas.boxes.first().text.contains(codigo), qPrintable(caixas.boxes.first().text));
                QCOMPARE(atual(d), p01);
                QVERIFY(edCrea->hasFocus());
                QVERIFY(m_b->volumes().isEmpty());
                p01->BtCancelar->click();
            } else {
                QCOMPARE(atual(d), pagina<TfmAnalis02>(d));
                pagina<TfmAnalis02>(d)->bbFechar->click();
            }
        }));
        if (codigo == QLatin1String("0000")) {
            const QStringList v = m_b->volumes();
            QCOMPARE(v.size(), 1);
            const QByteArray cabecalho = m_b->cabecalho(v.first());
            QCOMPARE(cabecalho.mid(371, 12), crea.toLatin1());
            QCOMPARE(cabecalho.mid(222, 1), QByteArray("1"));
            QVERIFY(ComparaHashArquivo(m_b->transmite() + QLatin1Char('/') + v.first()));
        }
    }

    // Cancel during the write: its message, the wizard ended, no volume left without its trailer.
    void cancelaGravacao()
    {
        m_b->escreveArquivo({.vinculos = 1500});
        ScriptedPresenter caixas;
        ScriptedModal modal;
        bool pedido = false;
        QVERIFY(m_b->roda(modal, "Analisador2", [&](QDialog &d) {
            auto *p01 = pagina01(d, m_b->arquivo());
            QVERIFY(p01);
            driveC(p01);
            connect(p01->pbConsistencia, &QProgressBar::valueChanged, p01, [&, p01](int v) {
                if (v >= 10 && !pedido) {
                    pedido = true;
                    QVERIFY(p01->GravandoArquivo);
                    caixas.answer(MessageButton::Yes);
                    QTest::keyClick(&d, Qt::Key_Escape);
                }
            });
            p01->BtConcluir->click();
            QVERIFY(pedido);
            QVERIFY(!d.isVisible());
        }));
        QCOMPARE(textos(caixas), (QStringList{QStringLiteral("Deseja interromper?"),
                                              QStringLiteral("A gravação do arquivo \"VORN2010\" interrompida pelo usuário!")}));
        QCOMPARE(m_b->volumes(), QStringList());
        BancadaAnalise::semTabelas();
    }

    // A write error keeps page 01, Gravar enabled, for another try, which succeeds.
    void erroDeGravacao()
    {
        m_b->escreveArquivo({});
        ScriptedPresenter caixas;
        ScriptedModal modal;
        QVERIFY(m_b->roda(modal, "Analisador2", [&](QDialog &d) {
            auto *p01 = pagina01(d, m_b->arquivo());
            QVERIFY(p01);
            driveC(p01);
            // The program's Transmite is a file: the volume cannot be made.
            QVERIFY(QDir(m_b->transmite()).removeRecursively());
            gravaArquivo(m_b->transmite(), "arquivo");
            p01->BtConcluir->click();
            QCOMPARE(textos(caixas).last(), QStringLiteral("Ocorreu um erro durante a gravação do arquivo \"VORN2010\".\r"
                                                           "Substitua o disquete e tente novamente."));
            QCOMPARE(atual(d), p01);
            QVERIFY(d.isVisible());
            QVERIFY(p01->BtConcluir->isEnabled());
            QVERIFY(!p01->GravandoArquivo);
            QVERIFY(QFile::remove(m_b->transmite()));
            QVERIFY(QDir().mkpath(m_b->transmite()));
            p01->BtConcluir->click();
            QCOMPARE(atual(d), pagina<TfmAnalis02>(d));
            pagina<TfmAnalis02>(d)->bbFechar->click();
        }));
        QCOMPARE(m_b->volumes().size(), 1);
    }

    // Started from the transmission window's button on one of its files: the file name is not shown,
    // and Transmitir ends the wizard onto that window, which lists the new file.
    void pelaJanelaDeTransmissao()
    {
        m_b->setArquivo(m_b->transmite() + QStringLiteral("/Vorn2010_outro.dec"));
        m_b->escreveArquivo({});
        ScriptedPresenter caixas;
        TfmTransmite janela;
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QCOMPARE(janela.LvListview1->Items().Count(), 1);
        janela.LvListview1->Items()[0]->SetChecked(true);
        QVERIFY(janela.btAnalise->isEnabled());
        ScriptedModal modal;
        const auto abre = [&] { janela.btAnalise->click(); };
        QVERIFY(BancadaAnalise::roda(modal, abre, [&](QDialog &d) {
            QVERIFY(AnaliseViaTransmissao);
            auto *p00 = pagina<TfmAnalis00>(d);
            QCOMPARE(p00->arquivo->text(), m_b->arquivo());
            for (QWidget *w : {static_cast<QWidget *>(p00->arquivo), static_cast<QWidget *>(p00->Label1),
                               static_cast<QWidget *>(p00->BtLocalizar), static_cast<QWidget *>(p00->bbVoltar)})
                QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
            QVERIFY(p00->bbAvancar->isEnabled());
            p00->bbAvancar->click();
            auto *p01 = pagina<TfmAnalis01>(d);
            QCOMPARE(atual(d), p01);
            driveC(p01);
            p01->BtConcluir->click();
            auto *p02 = pagina<TfmAnalis02>(d);
            QCOMPARE(atual(d), p02);
            p02->btnTransmite->click();
            QVERIFY(!d.isVisible());
        }));
        QVERIFY(!AnaliseViaTransmissao);
        QCOMPARE(janela.LvListview1->Items().Count(), 2);
        QVERIFY(!fmGDVORN->edTrans->isVisibleTo(fmGDVORN));
        QCOMPARE(textos(caixas), QStringList());
        BancadaAnalise::semTabelas();
        // A later run from the main window shows the file name again.
        modal.then([&](QDialog &d) { QVERIFY(pagina<TfmAnalis00>(d)->arquivo->isVisible()); });
        m_b->comando("Analisador2");
    }

    // Split: no drive, CREA or consistency analysis; volumes with " P" and no hash; only Fechar, and the
    // count with the folder; the next run analyses.
    void particiona()
    {
        m_b->escreveArquivo({.vinculos = 16000});
        ScriptedPresenter caixas;
        ScriptedModal modal;
        QVERIFY(m_b->roda(modal, "ParticionarArquivo1", [&](QDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Particionar Arquivo"));
            auto *p00 = pagina<TfmAnalis00>(d);
            QVERIFY(!p00->pbConsistencia->isVisibleTo(p00));
            QVERIFY(!p00->Label4->isVisibleTo(p00));
            QCOMPARE(p00->Label1->text(), QStringLiteral("Localização do arquivo a ser particionado:"));
            auto *p01 = pagina01(d, m_b->arquivo());
            QVERIFY(p01);
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Particionar um Arquivo VORN2010"));
            QVERIFY(p01->POk->isVisible());
            QVERIFY(!p01->Panel1->isVisible());
            QVERIFY(!p01->Memo3->isVisible());
            QVERIFY(p01->Memo4->isVisible());
            QVERIFY(!existe(QStringLiteral("te8errwa")));
            p01->BtConcluir->click();
            auto *p02 = pagina<TfmAnalis02>(d);
            QCOMPARE(atual(d), p02);
            QVERIFY(p02->meAnaliseOkPartic->isVisible());
            QVERIFY(!p02->meAnaliseOK->isVisible());
            for (QPushButton *b : {p02->bbRelat, p02->bbEtiq, p02->btSalvarRelat, p02->btnTransmite})
                QVERIFY2(!b->isVisible(), qPrintable(b->objectName()));
            QVERIFY(p02->bbFechar->isVisible());
            p02->bbFechar->click();
        }));
        QCOMPARE(textos(caixas).size(), 1);
        QCOMPARE(textos(caixas).first(), QStringLiteral("A declaração foi particionada em 2 arquivos, que se encontram em ") +
                                             m_b->transmite() +
                                             QStringLiteral(".\r\nUtilize a função \"Analisador\" do menu principal para "
                                                            "verificar se os registros atendem as especificações "
                                                            "constantes na Cartela da VORN"));
        const QStringList v = m_b->volumes();
        QCOMPARE(v.size(), 2);
        for (const QString &n : v) {
            QVERIFY(!ComparaHashArquivo(m_b->transmite() + QLatin1Char('/') + n));
            QCOMPARE(m_b->cabecalho(n).mid(396, 2), QByteArray(" P"));
        }
        QVERIFY(!Configuracao().ModoParticao);
        ScriptedModal seguinte;
        seguinte.then([&](QDialog &d) { QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Analisar um arquivo VORN")); });
        m_b->comando("Analisador2");
        QCOMPARE(seguinte.shown, QStringList{"fmAnalise"});
    }

    // Whichever page ends the wizard, and however (its button, Esc, the close box), no work or protocol
    // table is left and the split mode is over.
    void fechaQualquerPagina_data()
    {
        QTest::addColumn<QString>("qual");
        QTest::addColumn<QString>("como");
        QTest::addColumn<bool>("particao");
        QTest::newRow("00 erro de estrutura, Fechar") << "00" << "botao" << false;
        QTest::newRow("00 erro de estrutura, particao") << "00" << "janela" << true;
        QTest::newRow("01 Cancelar") << "01" << "botao" << false;
        QTest::newRow("01 Esc") << "01" << "esc" << false;
        QTest::newRow("01 particao") << "01" << "botao" << true;
        QTest::newRow("02 Fechar") << "02" << "botao" << false;
        QTest::newRow("02 janela") << "02" << "janela" << false;
        QTest::newRow("02 particao, Esc") << "02" << "esc" << true;
    }
    void fechaQualquerPagina()
    {
        QFETCH(QString, qual);
        QFETCH(QString, como);
        QFETCH(bool, particao);
        ArquivoTeste a;
        if (qual == QLatin1String("00"))
            a.cauda = "lixo";
        a.vinculos = 3;
        m_b->escreveArquivo(a);
        ScriptedPresenter caixas;
        ScriptedModal modal;
        const auto abre = [&] { m_b->comando(particao ? "ParticionarArquivo1" : "Analisador2"); };
        QVERIFY(BancadaAnalise::roda(modal, abre, [&](QDialog &d) {
            avanca(d, m_b->arquivo());
            QPushButton *botao = nullptr;
            if (qual == QLatin1String("00")) {
                QVERIFY(existe(QStringLiteral("te8stru")));
                botao = pagina<TfmAnalis00>(d)->bbCancelar;
            } else {
                auto *p01 = pagina<TfmAnalis01>(d);
                QCOMPARE(atual(d), p01);
                QVERIFY(existe(QStringLiteral("te8vinc")));
                botao = p01->BtCancelar;
                if (qual == QLatin1String("02")) {
                    if (!particao)
                        driveC(p01);
                    p01->BtConcluir->click();
                    QCOMPARE(atual(d), pagina<TfmAnalis02>(d));
                    QVERIFY(existe(QStringLiteral("te8proid")));
                    botao = pagina<TfmAnalis02>(d)->bbFechar;
                }
            }
            QCOMPARE(Configuracao().ModoParticao, particao);
            if (como == QLatin1String("botao"))
                botao->click();
            else if (como == QLatin1String("esc"))
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.close();
            QVERIFY(!d.isVisible());
        }));
        QVERIFY(!Configuracao().ModoParticao);
        BancadaAnalise::semTabelas();
    }
};

QTEST_MAIN(tst_ufmAnalisGravacao)
#include "tst_ufmAnalisGravacao.moc"
