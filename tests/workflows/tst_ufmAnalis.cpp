// The analysis wizard driven offscreen on files written by the record builders: boxes through the
// scripted presenter, the wizard through the scripted modal executor, the file dialog through its seam,
// reports through the recorder. This file covers checking a file (page 00), the findings (page 01) and
// the correction path; tst_ufmAnalisGravacao the rewrite, the success page and the split mode.

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "workflows/ufmAnalis.h"
#include "workflows/ufmImportacao.h"
#include "workflows/ugAnalis.h"

#include "tests/workflows/BancadaAnalise.h"
#include "GravadorRelatorios.h"
#include "ScriptedFileDialog.h"
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

class tst_ufmAnalis : public QObject {
    Q_OBJECT

    std::unique_ptr<BancadaAnalise> m_b;

private slots:
    void init() { m_b = std::make_unique<BancadaAnalise>(); }
    void cleanup() { m_b.reset(); }

    void modoResultado_data()
    {
        QTest::addColumn<int>("consistencia");
        QTest::addColumn<bool>("particao");
        QTest::addColumn<QString>("modo");
        QTest::newRow("nada") << 0 << false << "3";
        QTest::newRow("erros e avisos") << 3 << false << "2";
        QTest::newRow("erros") << 2 << false << "1";
        QTest::newRow("avisos") << 1 << false << "0";
        QTest::newRow("particao") << 3 << true << "3";
    }
    void modoResultado()
    {
        QFETCH(int, consistencia);
        QFETCH(bool, particao);
        QFETCH(QString, modo);
        QCOMPARE(ModoResultadoDe(quint8(consistencia), particao), modo);
    }

    // The CREA of a rectification: CriticaCrea first, then the rectification's rule.
    void creaRetificacao_data()
    {
        QTest::addColumn<QString>("crea");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("vazio") << "" << "0040";
        QTest::newRow("zeros") << "000000000000" << "3734";
        QTest::newRow("malformado") << "12345" << "0040";
        QTest::newRow("segundo digito") << "123456789012" << "3734";
        QTest::newRow("valido") << " 192345678901 " << "0000";
    }
    void creaRetificacao()
    {
        QFETCH(QString, crea);
        QFETCH(QString, codigo);
        QCOMPARE(CriticaCreaAnalise(crea), codigo);
    }

    // A file that is not there, a folder, or one that cannot be read: the box, the page stays.
    void arquivoRecusado_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("mensagem");
        const QString falta = QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo.");
        QTest::newRow("ausente") << "ausente" << falta;
        QTest::newRow("pasta") << "pasta" << falta;
        QTest::newRow("ilegivel") << "ilegivel"
                                  << QStringLiteral("Erro: Não é possivel ler o arquivo. Feche todos os programas que "
                                                    "possam estar utilizando-o e tente novamente");
    }
    void arquivoRecusado()
    {
        QFETCH(QString, caso);
        QFETCH(QString, mensagem);
        QString nome = m_b->pasta(QStringLiteral("nada.txt"));
        if (caso == QLatin1String("pasta")) {
            nome = m_b->pasta(QString());
        } else if (caso == QLatin1String("ilegivel")) {
            m_b->escreveArquivo({});
            nome = m_b->arquivo();
            QFile::setPermissions(nome, QFileDevice::Permissions());
            // A user that reads any file (root) cannot read a kernel setting that is write-only.
            if (QFile f(nome); f.open(QIODevice::ReadOnly))
                nome = QStringLiteral("/proc/sys/vm/drop_caches");
            if (QFile f(nome); !QFileInfo(nome).isFile() || f.open(QIODevice::ReadOnly))
                QSKIP("no file that this user cannot read");
        }
        ScriptedPresenter caixas;
        auto assistente = CriaAnalise(nullptr);
        assistente->show();
        assistente->inicia();
        avanca(*assistente, nome);
        QCOMPARE(textos(caixas), QStringList{mensagem});
        auto *p00 = pagina<TfmAnalis00>(*assistente);
        QCOMPARE(atual(*assistente), p00);
        QVERIFY(p00->PLocalizar->isVisible());
        QCOMPARE(p00->arquivo->text(), nome);
        if (caso != QLatin1String("ilegivel"))
            QCOMPARE(assistente->focusWidget(), p00->arquivo);
    }

    // Structure errors: the error panel, its report with the year, Voltar to an empty locate panel.
    void errosDeEstrutura()
    {
        m_b->escreveArquivo({.cauda = "lixo depois do trailer"});
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        auto assistente = CriaAnalise(nullptr);
        assistente->show();
        assistente->inicia();
        avanca(*assistente, m_b->arquivo());
        auto *p00 = pagina<TfmAnalis00>(*assistente);
        QCOMPARE(atual(*assistente), p00);
        QVERIFY(p00->paErroEstrut->isVisible());
        QVERIFY(!p00->PLocalizar->isVisible());
        QCOMPARE(p00->bbCancelar->text(), QStringLiteral("&Fechar"));
        QVERIFY(p00->bbVoltar->isEnabled());
        p00->bbErroVisual->click();
        QCOMPARE(relatorios.relatorios.size(), 1);
        QCOMPARE(relatorios.relatorios.first().nome, QStringLiteral("rptErrosEstrutura"));
        QVERIFY(relatorios.relatorios.first().paginas.join(QString()).contains(QLatin1String("2010")));
        QVERIFY(p00->bbErroVisual->isEnabled());
        p00->bbVoltar->click();
        QVERIFY(p00->PLocalizar->isVisible());
        QVERIFY(!p00->paErroEstrut->isVisible());
        QCOMPARE(p00->arquivo->text(), QString());
        QVERIFY(!p00->bbAvancar->isEnabled());
        QVERIFY(!p00->bbVoltar->isEnabled());
        QCOMPARE(p00->bbCancelar->text(), QStringLiteral("&Cancelar"));
        QCOMPARE(textos(caixas), QStringList());
    }

    // The analyser cannot make its working copy (a file that opens but cannot be read): its own warning,
    // back to the locate panel, and no consistency analysis over tables that are not there.
    void copiaDeTrabalhoImpossivel()
    {
        const QString ilegivel = QStringLiteral("/proc/self/mem");
        if (!QFileInfo(ilegivel).isFile())
            QSKIP("no /proc/self/mem here");
        ScriptedPresenter caixas;
        auto assistente = CriaAnalise(nullptr);
        assistente->show();
        assistente->inicia();
        avanca(*assistente, ilegivel);
        auto *p00 = pagina<TfmAnalis00>(*assistente);
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Ocorreu erro na cópia do arquivo ") + ilegivel});
        QCOMPARE(atual(*assistente), p00);
        QVERIFY(p00->PLocalizar->isVisible());
        QVERIFY(!p00->PEstrutura->isVisible());
        QCOMPARE(p00->arquivo->text(), QString());
        QVERIFY(!existe(QStringLiteral("te8errwa")));
    }

    // Cancel during the structure check: Yes ends the wizard; No lets the check reach its result.
    void cancelaVerificacao_data()
    {
        QTest::addColumn<bool>("sim");
        QTest::newRow("sim") << true;
        QTest::newRow("nao") << false;
    }
    void cancelaVerificacao()
    {
        QFETCH(bool, sim);
        m_b->escreveArquivo({.vinculos = 400});
        ScriptedPresenter caixas;
        caixas.answer(sim ? MessageButton::Yes : MessageButton::No);
        ScriptedModal modal;
        bool pedido = false;
        bool resultado = false;
        modal.then([&](QDialog &d) {
            auto *p00 = pagina<TfmAnalis00>(d);
            connect(p00->pbEstrutura, &QProgressBar::valueChanged, p00, [&, p00](int v) {
                if (v >= 10 && !pedido) {
                    pedido = true;
                    QVERIFY(p00->AnalisandoEstrutura);
                    QTest::keyClick(&d, Qt::Key_Escape);
                }
            });
            avanca(d, m_b->arquivo());
            resultado = atual(d) == pagina<TfmAnalis01>(d);
            QCOMPARE(d.isVisible(), !sim);
            if (resultado)
                pagina<TfmAnalis01>(d)->BtCancelar->click();
        });
        m_b->comando("Analisador2");
        QVERIFY(pedido);
        QCOMPARE(textos(caixas).value(0), QStringLiteral("Deseja interromper?"));
        QCOMPARE(resultado, !sim);
        m_b->semTabelas();
    }

    // Cancel during the consistency analysis: the locate panel again, or, from the transmission window,
    // the end of the wizard.
    void cancelaConsistencia_data()
    {
        QTest::addColumn<bool>("viaTransmissao");
        QTest::newRow("menu") << false;
        QTest::newRow("janela de transmissao") << true;
    }
    void cancelaConsistencia()
    {
        QFETCH(bool, viaTransmissao);
        m_b->escreveArquivo({.vinculos = 400});
        ScriptedPresenter caixas;
        caixas.answer(MessageButton::Yes);
        ScriptedModal modal;
        bool pedido = false;
        const auto abre = [&] {
            if (viaTransmissao)
                AbreAnalise(nullptr, m_b->arquivo());
            else
                m_b->comando("Analisador2");
        };
        QVERIFY(BancadaAnalise::roda(modal, abre, [&](QDialog &d) {
            auto *p00 = pagina<TfmAnalis00>(d);
            connect(p00->pbConsistencia, &QProgressBar::valueChanged, p00, [&, p00](int v) {
                if (v >= 5 && !pedido) {
                    pedido = true;
                    QVERIFY(p00->AnalisandoConsistencia);
                    p00->bbCancelar->click();
                }
            });
            if (viaTransmissao)
                p00->bbAvancar->click();
            else
                avanca(d, m_b->arquivo());
            QVERIFY(pedido);
            QCOMPARE(d.isVisible(), !viaTransmissao);
            if (!viaTransmissao) {
                QCOMPARE(atual(d), p00);
                QVERIFY(p00->PLocalizar->isVisible());
                QVERIFY(!p00->PEstrutura->isVisible());
                QCOMPARE(p00->arquivo->text(), QString());
                QVERIFY(p00->arquivo->hasFocus());
                QVERIFY(!p00->bbAvancar->isEnabled());
                QCOMPARE(p00->pbConsistencia->value(), 0);
                QCOMPARE(p00->bbCancelar->text(), QStringLiteral("&Cancelar"));
            }
        }));
        QCOMPARE(textos(caixas), (QStringList{QStringLiteral("Deseja interromper?"),
                                              QStringLiteral("Consistência interrompida pelo usuário")}));
        QCOMPARE(caixas.boxes.at(1).kind, MessageKind::Information);
        QVERIFY(!AnaliseViaTransmissao);
        m_b->semTabelas();
    }

    // Page 01 by the findings: the panel shown, its report buttons, Gravar and the focus.
    void paineis_data()
    {
        QTest::addColumn<bool>("erro");
        QTest::addColumn<bool>("aviso");
        QTest::addColumn<QString>("painel");
        QTest::addColumn<bool>("gravar");
        QTest::addColumn<QString>("foco");
        QTest::newRow("erros") << true << false << "PInco" << false << "bbImpErros";
        QTest::newRow("erros e avisos") << true << true << "PInco" << false << "bbImpErros";
        QTest::newRow("avisos") << false << true << "PDist" << true << "BtConcluir";
        QTest::newRow("nada") << false << false << "POk" << true << "BtConcluir";
    }
    void paineis()
    {
        QFETCH(bool, erro);
        QFETCH(bool, aviso);
        QFETCH(QString, painel);
        QFETCH(bool, gravar);
        QFETCH(QString, foco);
        m_b->escreveArquivo({.erro = erro, .aviso = aviso});
        ScriptedPresenter caixas;
        ScriptedModal modal;
        QVERIFY(m_b->roda(modal, "Analisador2", [&](QDialog &d) {
            auto *p01 = pagina01(d, m_b->arquivo());
            QVERIFY(p01);
            for (QWidget *p : {p01->PInco, p01->PDist, p01->POk})
                QCOMPARE(p->isVisible(), p->objectName() == painel);
            QCOMPARE(p01->BtConcluir->isEnabled(), gravar);
            QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), foco);
            if (erro) {
                QCOMPARE(p01->bbVisualErros->isEnabled(), aviso);
                QCOMPARE(p01->paMsgAviso->isVisible(), aviso);
            }
            // Not a rectification: no CREA to give.
            QVERIFY(!p01->edCrea->isVisible());
            QVERIFY(!p01->edCreaAvisos->isVisible());
            QVERIFY(!p01->Label3->isVisible());
            QVERIFY(!p01->Label4->isVisible());
        }));
        QCOMPARE(textos(caixas), QStringList());
    }

    // A file with errors and warnings, its records ending in LF only and its hash blank, found through
    // Localizar: both reports, Gravar disabled; the correction path imports every establishment and
    // comes back to page 01 with its note line once.
    void corrigeNoGDVorn()
    {
        m_b->escreveArquivo({.erro = true, .aviso = true, .terminador = "\n"});
        ScriptedPresenter caixas;
        ScriptedFileDialog dialogo;
        dialogo.answer(m_b->arquivo());
        GravadorRelatorios relatorios;
        ScriptedModal modal;
        QVERIFY(m_b->roda(modal, "Analisador2", [&](QDialog &d) {
            auto *p00 = pagina<TfmAnalis00>(d);
            p00->BtLocalizar->click();
            QCOMPARE(dialogo.requests.size(), 1);
            QCOMPARE(dialogo.requests.first().titulo, QStringLiteral("Abrir arquivo"));
            QCOMPARE(p00->arquivo->text(), m_b->arquivo());
            QVERIFY(p00->bbAvancar->isEnabled());
            p00->bbAvancar->click();
            auto *p01 = pagina<TfmAnalis01>(d);
            QCOMPARE(atual(d), p01);
            QVERIFY(p01->PInco->isVisible());
            QVERIFY(!p01->BtConcluir->isEnabled());
            QVERIFY(p01->bbVisualErros->isEnabled());
            p01->bbImpErros->click();
            QCOMPARE(dmRaveRelatorios->ErrWar, QStringLiteral("err"));
            p01->bbVisualErros->click();
            QCOMPARE(dmRaveRelatorios->ErrWar, QStringLiteral("war"));
            QCOMPARE(relatorios.relatorios.size(), 2);
            for (const RelatorioGravado &r : relatorios.relatorios) {
                QCOMPARE(r.nome, QStringLiteral("rptErros"));
                QCOMPARE(r.destino, DestinoRelatorio::Visualizacao);
            }
            QVERIFY(p01->bbImpErros->isEnabled());
            const QString nota = QStringLiteral("<Corrigir no GDVorn>");
            QCOMPARE(p01->Memo1->toPlainText().count(nota), 1);
            bool importou = false;
            modal.then([&](QDialog &regras) {
                QCOMPARE(regras.objectName(), QStringLiteral("fmAnalisRegras"));
                QCOMPARE(regras.windowTitle(), QStringLiteral("Acertando o arquivo através do GDVORN"));
                QCOMPARE(regras.focusWidget(), regras.findChild<QPushButton *>(QStringLiteral("BtFechar")));
                modal.then([&](QDialog &imp) {
                    auto *i02 = imp.findChild<TfmImport02 *>();
                    auto *i03 = imp.findChild<TfmImport03 *>();
                    QCOMPARE(atual(imp), i02);
                    QCOMPARE(i02->LEmpresas->count(), 1);
                    for (int i = 0; i < i02->LEmpresas->count(); ++i)
                        QCOMPARE(i02->LEmpresas->item(i)->checkState(), Qt::Checked);
                    QCOMPARE(i02->BtConcluir->text(), QStringLiteral("C&oncluir"));
                    i02->BtConcluir->click();
                    QCOMPARE(atual(imp), i03);
                    QCOMPARE(i03->BtFechar->text(), QStringLiteral("&Fechar"));
                    i03->BtFechar->click();
                    QVERIFY(!imp.isVisible());
                    importou = true;
                });
                auto *confirma = regras.findChild<QPushButton *>(QStringLiteral("BtFechar"));
                QCOMPARE(confirma->text(), QStringLiteral("C&onfirma"));
                confirma->click();
                QVERIFY(!regras.isVisible());
            });
            p01->BtImporta->click();
            QVERIFY(importou);
            QCOMPARE(atual(d), p01);
            QVERIFY(p01->PInco->isVisible());
            QCOMPARE(p01->Memo1->toPlainText().count(nota), 1);
            p01->BtCancelar->click();
        }));
        QCOMPARE(modal.shown, (QStringList{"fmAnalise", "fmAnalisRegras", "fmImportacao"}));
        QCOMPARE(linhas(QStringLiteral("select CoCgcCeiEstabelecimento from bd8emp")), QStringList{kCnpjA});
        m_b->semTabelas();
    }

    // The rules window by the keyboard: Tab from Confirma to Cancelar, Enter presses it; nothing is
    // imported and page 01 shows again.
    void regrasCanceladas()
    {
        m_b->escreveArquivo({.erro = true});
        ScriptedPresenter caixas;
        ScriptedModal modal;
        QVERIFY(m_b->roda(modal, "Analisador2", [&](QDialog &d) {
            auto *p01 = pagina01(d, m_b->arquivo());
            QVERIFY(p01);
            modal.then([&](QDialog &regras) {
                QTest::keyClick(&regras, Qt::Key_Tab);
                QCOMPARE(regras.focusWidget(), regras.findChild<QPushButton *>(QStringLiteral("BtCancelar")));
                QTest::keyClick(regras.focusWidget(), Qt::Key_Return);
                QVERIFY(!regras.isVisible());
            });
            p01->BtImporta->click();
            QCOMPARE(atual(d), p01);
            QVERIFY(p01->PInco->isVisible());
        }));
        QCOMPARE(modal.shown, (QStringList{"fmAnalise", "fmAnalisRegras"}));
        QCOMPARE(linhas(QStringLiteral("select CoCgcCeiEstabelecimento from bd8emp")), QStringList());
    }
};

QTEST_MAIN(tst_ufmAnalis)
#include "tst_ufmAnalis.moc"
