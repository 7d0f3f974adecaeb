// The file browser offscreen, from the main window and from the transmission window: files written by the
// writer (or by a small fixture), boxes through the scripted presenter, the windows through the scripted
// modal executor, the file dialog through its scripted stand-in, reports through the recorder.

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Statement.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugEstrutura.h"
#include "fileformat/ugGravaDeclaracao.h"
#include "listview/QtLvListview.h"
#include "workflows/ufmConsulta.h"
#include "workflows/ugConsultaEmpregados.h"
#include "workflows/ufmRelatorio.h"
#include "workflows/ufmTransmite.h"

#include "FixtureConsistencia.h"
#include "FixtureVinculos.h"
#include "GravadorRelatorios.h"
#include "ProgramFixture.h"
#include "ScriptedFileDialog.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
// The stand-in for the transmission program is not run here.
#ifndef GDVORN_SIMULADOR_VORNNET
#define GDVORN_SIMULADOR_VORNNET ""
#endif
#include "VolumesTransmissao.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWindow>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kA = QStringLiteral("11222333000181");
const QString kB = QStringLiteral("11222333000262");
const QString kVinculado = QStringLiteral("00123456789012");

QStringList textos(const ScriptedPresenter &p)
{
    QStringList t;
    for (const auto &b : p.boxes)
        t << b.text;
    return t;
}

QString texto(QWidget *pagina, const char *nome)
{
    if (auto *e = pagina->findChild<QLineEdit *>(QLatin1String(nome)))
        return e->text();
    if (auto *l = pagina->findChild<QLabel *>(QLatin1String(nome)))
        return l->text();
    return QStringLiteral("<%1 missing>").arg(QLatin1String(nome));
}

// A column of the rows of a list.
QStringList coluna(const QTreeView *grade, int c)
{
    QStringList r;
    const QAbstractItemModel *m = grade->model();
    for (int i = 0; i < m->rowCount(); ++i)
        r << m->index(i, c).data().toString();
    return r;
}

TfmConsultaDisquete &janela(QDialog &d) { return static_cast<TfmConsultaDisquete &>(d); }

// Runs the pending events until the browser has left its check.
void aguarda(TfmConsultaDisquete &j)
{
    QTest::qWait(20);
    QTRY_VERIFY(!j.VerificandoArquivo);
}

} // namespace

class tst_ufmConsulta : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureTabelas> m_tabelas;
    std::unique_ptr<ProgramFixture> m_programa;
    std::unique_ptr<QTemporaryDir> m_raiz;
    QString m_transmite;

    // The declaration of the main walk, written by the writer into the Transmite folder: establishment A
    // with a CEI vinculado and three links (PIS order differs from name order, plus `extras` more), and
    // establishment B without links.
    QString grava(int extras = 0)
    {
        m_tabelas->insere(QStringLiteral("bd8resp"), responsavelValido());
        m_tabelas->insere(QStringLiteral("bd8emp"),
                          estabelecimentoDeTeste({{"CoCgcVinculado", kVinculado},
                                                  {"InVornNegEstabelecimento", "0"},
                                                  {"NuVinculosEstabelecimento", QString::number(3 + extras).rightJustified(6, QLatin1Char('0'))}}));
        m_tabelas->insere(QStringLiteral("bd8emp"),
                          estabelecimentoDeTeste({{"CoCgcCeiEstabelecimento", kB}, {"NoRazaoEstabelecimento", "FILIAL SEM EMPREGADOS"}}));
        QList<QVariantMap> vinculos;
        for (const auto &[pis, nome] : {std::pair{"13000000029", "CARLOS SOUZA"}, {"13000000002", "BRUNO LIMA"}, {"13000000010", "ANA MARIA"}})
            vinculos << vinculoDeTeste(QLatin1String(pis), {{"NoEmpregado", QLatin1String(nome)}});
        for (int i = 0; i < extras; ++i)
            vinculos << vinculoDeTeste(QStringLiteral("2%1").arg(i, 10, 10, QLatin1Char('0')), {{"NoEmpregado", QStringLiteral("EXTRA %1").arg(i)}});
        m_tabelas->insere(QStringLiteral("bd8vinc"), vinculos);
        [] {
            QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QStringLiteral("101112"), QStringLiteral("15012011"),
                                     false, false, nullptr),
                     ResultadoGravacao::Concluida);
        }();
        return Configuracao().CaminhoArquivoGerado;
    }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<FixtureTabelas>();
        preencheTabelasValidas(*m_tabelas);
        insereTabelasDoVinculo(*m_tabelas);
        m_raiz = std::make_unique<QTemporaryDir>();
        qputenv("GDVORN_RAIZ", m_raiz->path().toLocal8Bit());
        qunsetenv("GDVORN_UNIDADE_A");
        m_programa = std::make_unique<ProgramFixture>(*m_tabelas);
        m_transmite = m_programa->folder() + QStringLiteral("Transmite");
        QVERIFY(QDir().mkpath(m_transmite));
        m_programa->create(dmRaveRelatorios);
        RegistraRelatorios(*dmRaveRelatorios);
        RegistraConsulta();
        RegistraTransmissao();
        m_programa->create(fmGDVORN);
        fmGDVORN->show();
        fmGDVORN->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fmGDVORN));
    }
    void cleanup()
    {
        m_programa.reset();
        m_tabelas.reset();
        m_raiz.reset();
    }

    // "Consulta Arquivo do Ano" over a file of the writer, from the locate page to "&Fechar".
    void consultaArquivoDoAno()
    {
        const QString arquivo = grava();
        ScriptedPresenter caixas;
        ScriptedFileDialog dialogo;
        dialogo.answer(arquivo);
        ScriptedModal modal;
        bool chegou = false;
        Configuracao().IdTransmissao = QStringLiteral("x");
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            QCOMPARE(j.windowTitle(), QStringLiteral("Consulta Arquivo do Ano-Base"));
            QTRY_COMPARE(QApplication::focusWidget(), j.Localizar->edArquivo);
            QVERIFY(!j.Localizar->bbVoltar->isVisible());
            j.Localizar->bbLocalizar->click();
            QCOMPARE(dialogo.requests.size(), 1);
            QCOMPARE(dialogo.requests.at(0).pastaInicial, Raiz());
            QVERIFY(dialogo.requests.at(0).filtro.isEmpty());

            // The summary page.
            TfmConsulta01 *resumo = j.fmConsulta01;
            QVERIFY(resumo);
            QCOMPARE(j.PaginaAtual(), resumo);
            QCOMPARE(j.windowTitle(), QStringLiteral("Consulta Arquivo VORN"));
            QCOMPARE(Configuracao().IdTransmissao, QStringLiteral(" "));
            QVERIFY(!j.Localizar->laStatus->isVisible());
            QCOMPARE(j.Localizar->prCarregarArq->value(), 0);
            QCOMPARE(texto(resumo, "edInscricao"), QStringLiteral("11.222.333/0001-81"));
            QCOMPARE(texto(resumo, "edTelefoneContato"), QStringLiteral("(11)3234-5678"));
            QCOMPARE(texto(resumo, "edNumeroResponsavel"), QStringLiteral("123"));
            QCOMPARE(texto(resumo, "mdCep"), QStringLiteral("01001-000"));
            QCOMPARE(texto(resumo, "mdCodigoMunicipio"), QStringLiteral("35-50308"));
            QCOMPARE(texto(resumo, "edCpfResponsavel"), QStringLiteral("123.456.789-09"));
            QCOMPARE(texto(resumo, "mdDataNasc"), QStringLiteral("01/01/1970"));
            QCOMPARE(texto(resumo, "edCoCrea"), QString());
            QVERIFY(!resumo->ckRetificacao->isChecked());
            QVERIFY(!resumo->grResponsavel->isEnabled());
            QCOMPARE(QApplication::focusWidget(), resumo->bbDisquete);

            // The establishment list, and back: the telephone shown once.
            resumo->bbDisquete->click();
            TfmConsulta02 *lista = j.fmConsulta02;
            QCOMPARE(j.PaginaAtual(), lista);
            QCOMPARE(j.windowTitle(), QStringLiteral("Consulta Arquivo Vorn - Seleção de Estabelecimento"));
            QCOMPARE(lista->paInfo->text(), QStringLiteral("Declaração do Ano-Base 2010"));
            QCOMPARE(coluna(lista->grEmp, 0), (QStringList{kA, kB}));
            QCOMPARE(coluna(lista->grEmp, 1), (QStringList{"01", "01"}));
            QCOMPARE(coluna(lista->grEmp, 3), (QStringList{kVinculado, "00000000000000"}));
            QCOMPARE(coluna(lista->grEmp, 4), (QStringList{"000003", "000000"}));
            QCOMPARE(lista->grEmp->topLevelItem(1)->data(0, Qt::UserRole).toStringList(), (QStringList{"2010", kB, "01"}));
            lista->bbVoltar->click();
            QCOMPARE(j.PaginaAtual(), resumo);
            QCOMPARE(texto(resumo, "edTelefoneContato"), QStringLiteral("(11)3234-5678"));
            resumo->bbDisquete->click();

            // The establishment view, paged both ways.
            QCOMPARE(lista->grEmp->currentItem(), lista->grEmp->topLevelItem(0));
            QTest::keyClick(lista->grEmp, Qt::Key_Return);
            TfmConsulta03 *estab = j.fmConsulta03;
            QCOMPARE(j.PaginaAtual(), estab);
            QCOMPARE(j.windowTitle(), QStringLiteral("Consulta Estabelecimento"));
            QCOMPARE(texto(estab, "edInscricao"), QStringLiteral("11.222.333/0001-81"));
            QCOMPARE(texto(estab, "edCGCVinculado"), QStringLiteral("12345.67890-12"));
            QCOMPARE(texto(estab, "paVorn"), QStringLiteral("VORN com Empregados"));
            QCOMPARE(texto(estab, "edTotalVinculos"), QStringLiteral("3"));
            QCOMPARE(texto(estab, "edCNAE"), QStringLiteral("4711-30/2- ") + texto(estab, "edCNAE").mid(11));
            QVERIFY(!estab->bbAnterior->isEnabled());
            QVERIFY(estab->bbProximo->isEnabled());
            QVERIFY(estab->bbEmpregados->isEnabled());
            estab->pcEstabelecimento->setCurrentIndex(1);
            estab->bbProximo->click();
            QCOMPARE(estab->pcEstabelecimento->currentIndex(), 0);
            QCOMPARE(texto(estab, "edInscricao"), QStringLiteral("11.222.333/0002-62"));
            QCOMPARE(texto(estab, "edCGCVinculado"), QString());
            QCOMPARE(texto(estab, "paVorn"), QStringLiteral("VORN sem Empregados"));
            QCOMPARE(texto(estab, "edTotalVinculos"), QString());
            QVERIFY(!estab->bbEmpregados->isEnabled());
            QVERIFY(estab->bbAnterior->isEnabled());
            QVERIFY(!estab->bbProximo->isEnabled());
            estab->pcEstabelecimento->setCurrentIndex(1);
            estab->bbAnterior->click();
            QCOMPARE(estab->pcEstabelecimento->currentIndex(), 1);
            QCOMPARE(texto(estab, "edCGCVinculado"), QStringLiteral("12345.67890-12"));
            QVERIFY(!estab->bbAnterior->isEnabled());
            QVERIFY(estab->bbProximo->isEnabled());

            // The employee list, in PIS/PASEP and in name order.
            estab->bbEmpregados->click();
            TfmConsulta04 *empregados = j.fmConsulta04;
            QCOMPARE(j.PaginaAtual(), empregados);
            QVERIFY(empregados->rbCodPisPasep->isChecked());
            QCOMPARE(coluna(empregados->grEmpregados, 0), (QStringList{"13000000002", "13000000010", "13000000029"}));
            QCOMPARE(coluna(empregados->grEmpregados, 2), (QStringList{"BRUNO LIMA", "ANA MARIA", "CARLOS SOUZA"}));
            QCOMPARE(empregados->Empregados->Chave(0).mid(0, 6),
                     (QStringList{"2010", kA, "01", "13000000002", "01022005", "BRUNO LIMA"}));
            empregados->rbNome->click();
            QCOMPARE(coluna(empregados->grEmpregados, 2), (QStringList{"ANA MARIA", "BRUNO LIMA", "CARLOS SOUZA"}));
            empregados->grEmpregados->setCurrentIndex(empregados->Empregados->index(1, 0));

            // The employee view and its tabs.
            empregados->bbConsultar->click();
            TfmConsulta05 *empregado = j.fmConsulta05;
            QCOMPARE(j.PaginaAtual(), empregado);
            QCOMPARE(j.windowTitle(), QStringLiteral("Consulta Empregados/Servidores"));
            QCOMPARE(texto(empregado, "edNomeEmpregado"), QStringLiteral("BRUNO LIMA"));
            QCOMPARE(texto(empregado, "edPISPASEP"), QStringLiteral("130.00000.00.2"));
            QVERIFY(empregado->bbAnterior->isEnabled());
            QVERIFY(empregado->bbProximo->isEnabled());
            QStringList abas;
            for (int i = 0; i < empregado->pcEmpregado->count(); ++i)
                abas << empregado->pcEmpregado->tabText(i);
            QCOMPARE(abas, (QStringList{"Vínculo Empregatício", "Afastamento", "Informações Sindicais", "Remunerações Mensais",
                                        "Verbas Pagas na Rescisão"}));
            QCOMPARE(texto(empregado, "edDataAdmissao"), QStringLiteral("01/02/2005"));
            QVERIFY(texto(empregado, "edCBO").startsWith(QLatin1String("4110-10 - ")));
            QCOMPARE(texto(empregado, "edDesligamento"), QStringLiteral("   "));
            QCOMPARE(texto(empregado, "dePrimCod"), QString());
            QCOMPARE(texto(empregado, "edCNPJSindical"), QStringLiteral("33.222.111/0001-00"));
            QCOMPARE(texto(empregado, "edJaneiro").trimmed(), QStringLiteral("1.000,00"));
            QCOMPARE(texto(empregado, "edAdiantamento"), QStringLiteral("11 - Novembro"));
            QCOMPARE(texto(empregado, "edCompetenciaHoras"), QString());
            empregado->pcEmpregado->setCurrentIndex(3);
            empregado->bbProximo->click();
            QCOMPARE(empregado->pcEmpregado->currentIndex(), 0);
            QCOMPARE(texto(empregado, "edNomeEmpregado"), QStringLiteral("CARLOS SOUZA"));
            QVERIFY(!empregado->bbProximo->isEnabled());
            QVERIFY(empregado->bbAnterior->isEnabled());

            // Back to the list: PIS/PASEP order again, its first row current.
            empregado->bbVoltar->click();
            QCOMPARE(j.PaginaAtual(), empregados);
            QVERIFY(empregados->rbCodPisPasep->isChecked());
            QCOMPARE(coluna(empregados->grEmpregados, 2), (QStringList{"BRUNO LIMA", "ANA MARIA", "CARLOS SOUZA"}));
            QCOMPARE(empregados->grEmpregados->currentIndex().row(), 0);
            empregados->bbVoltar->click();
            QCOMPARE(j.PaginaAtual(), estab);
            estab->bbVoltar->click();
            QCOMPARE(j.PaginaAtual(), lista);
            QTest::keyClick(lista->grEmp, Qt::Key_Return);
            QTest::keyClick(&j, Qt::Key_Escape); // the view has no cancel button
            QCOMPARE(j.PaginaAtual(), estab);
            estab->bbEmpregados->click();
            Configuracao().IdTransmissao = QStringLiteral("x");
            empregados->bbFechar->click();
            QVERIFY(!j.isVisible());
            chegou = true;
        });
        QVERIFY(fmGDVORN->Consultardisquetedoano1->isEnabled());
        QVERIFY(fmGDVORN->sbConsDisq->isEnabled());
        fmGDVORN->Consultardisquetedoano1->trigger();
        QVERIFY(chegou);
        QCOMPARE(modal.shown, QStringList{QStringLiteral("fmConsultaDisquete")});
        QCOMPARE(Configuracao().IdTransmissao, QStringLiteral(" "));
        QCOMPARE(textos(caixas), QStringList());
    }

    // "&Relatório": the summary page leaves the screen while the print wizard runs over the loaded file
    // (the statement reads te8resp, te8emp and te8vinc and the report prints the file's data), and comes
    // back filled again from te8resp.
    void relatorio()
    {
        const QString arquivo = grava();
        ScriptedPresenter caixas;
        ScriptedFileDialog dialogo;
        dialogo.answer(arquivo);
        ScriptedModal modal;
        GravadorRelatorios relatorios;
        bool chegou = false;
        bool assistenteSobreResumo = false;
        QString sql;
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            j.Localizar->bbLocalizar->click();
            QCOMPARE(j.PaginaAtual(), j.fmConsulta01);
            execWrite(QStringLiteral("update te8resp set NoResponsavelArquivo = 'OUTRO NOME'"));
            // The print wizard, when it runs: the browser is off the screen meanwhile.
            modal.then([&](QDialog &d) {
                assistenteSobreResumo = j.windowHandle()->isVisible();
                auto &a = static_cast<TAssistenteImpressao &>(d);
                QCOMPARE(a.PaginaAtual(), a.Tipo);
                QVERIFY(!a.Tipo->bbVoltar->isVisible());
                a.Tipo->bbAvancar->click();
                a.Ordem->bbAvancar->click();
                QCOMPARE(a.PaginaAtual(), a.Selecao);
                QCOMPARE(a.Selecao->clbEmpresas->count(), 2);
                a.Selecao->clbEmpresas->item(0)->setCheckState(Qt::Checked);
                a.Selecao->bbVisualizar->click();
                sql = dmRaveRelatorios->qrConsulta.sql().toLower();
                a.Selecao->bbCancelar->click();
            });
            j.fmConsulta01->bbRelatorio->click();
            QVERIFY(j.windowHandle()->isVisible());
            QCOMPARE(j.PaginaAtual(), j.fmConsulta01);
            QCOMPARE(texto(j.fmConsulta01, "edNomeRazaoSocialResponsavel"), QStringLiteral("OUTRO NOME"));
            QTest::keyClick(&j, Qt::Key_Escape); // "&Fechar"
            QVERIFY(!j.isVisible());
            chegou = true;
        });
        fmGDVORN->sbConsDisq->click();
        QVERIFY(chegou);
        QVERIFY(!assistenteSobreResumo);
        QCOMPARE(Configuracao().IdTransmissao, QStringLiteral(" "));
        for (const char *tabela : {"te8resp", "te8emp", "te8vinc"})
            QVERIFY2(sql.contains(QLatin1String(tabela)), qPrintable(sql));
        QVERIFY(!sql.contains(QLatin1String("bd8")));
        QCOMPARE(relatorios.relatorios.size(), 1);
        const QString impresso = relatorios.relatorios.first().paginas.join(QLatin1Char('\n'));
        for (const char *texto : {"OUTRO NOME", "CARLOS SOUZA", "BRUNO LIMA", "ANA MARIA"})
            QVERIFY2(impresso.contains(QLatin1String(texto)), texto);
        QVERIFY(!impresso.contains(QLatin1String("FILIAL SEM EMPREGADOS")));
    }

    // Leaving the name edit: spaces do nothing; towards "&Cancelar" nothing is said and the window ends;
    // a missing name is told and the focus goes back.
    void saidaDoNome_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("paraCancelar");
        QTest::addColumn<QStringList>("esperadas");
        const QString inexistente = QStringLiteral("O arquivo especificado não existe.\rVerifique o caminho e o nome do arquivo.");
        QTest::newRow("spaces only") << "   " << false << QStringList();
        QTest::newRow("to Cancel") << "/nao/existe.dec" << true << QStringList();
        QTest::newRow("missing") << "/nao/existe.dec" << false << QStringList{inexistente};
    }
    void saidaDoNome()
    {
        QFETCH(QString, nome);
        QFETCH(bool, paraCancelar);
        QFETCH(QStringList, esperadas);
        ScriptedPresenter caixas;
        ScriptedModal modal;
        bool fechou = false;
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            QLineEdit *ed = j.Localizar->edArquivo;
            QTRY_COMPARE(QApplication::focusWidget(), ed);
            QTest::keyClicks(ed, nome);
            if (paraCancelar)
                QTest::mouseClick(j.Localizar->bbCancelar, Qt::LeftButton);
            else
                QTest::keyClick(ed, Qt::Key_Tab);
            QTest::qWait(30);
            fechou = !j.isVisible();
            if (fechou)
                return;
            QCOMPARE(j.PaginaAtual(), j.Localizar);
            QVERIFY(j.Localizar->paConsDisquete->isVisible());
            QVERIFY(j.Localizar->bbLocalizar->isEnabled());
            if (!esperadas.isEmpty())
                QCOMPARE(QApplication::focusWidget(), ed);
        });
        fmGDVORN->Consultardisquetedoano1->trigger();
        QCOMPARE(textos(caixas), esperadas);
        if (!esperadas.isEmpty())
            QCOMPARE(caixas.boxes.at(0).kind, MessageKind::Warning);
        QCOMPARE(fechou, paraCancelar);
    }

    // A file with structure findings: the error page with "&Voltar"; "Visualizar &Erros" previews them;
    // "&Voltar" gives an empty name on the locate page.
    void errosDeEstrutura()
    {
        const QString arquivo = m_raiz->filePath(QStringLiteral("ruim.dec"));
        QVERIFY(gravaVolume(arquivo));
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        relatorios.impressora = false;
        ScriptedModal modal;
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            TPaginaLocalizar &p = *j.Localizar;
            QTRY_COMPARE(QApplication::focusWidget(), p.edArquivo);
            QTest::keyClicks(p.edArquivo, arquivo);
            QTest::keyClick(p.edArquivo, Qt::Key_Return); // to the next control: the name is left
            aguarda(j);
            QTRY_VERIFY(p.paRelatorio->isVisible());
            QVERIFY(!p.paConsDisquete->isVisible());
            QVERIFY(p.bbVoltar->isVisible());
            QVERIFY(!p.laStatus->isVisible());
            QCOMPARE(p.prCarregarArq->value(), 0);
            QVERIFY(!j.fmConsulta01);
            p.bbVisualizar->click();
            QVERIFY(p.bbVisualizar->isEnabled());
            p.bbVoltar->click();
            QVERIFY(p.paConsDisquete->isVisible());
            QVERIFY(!p.paRelatorio->isVisible());
            QVERIFY(!p.bbVoltar->isVisible());
            QVERIFY(p.bbLocalizar->isEnabled());
            QCOMPARE(p.edArquivo->text(), QString());
            QCOMPARE(QApplication::focusWidget(), p.edArquivo);
        });
        fmGDVORN->Consultardisquetedoano1->trigger();
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Não é possível imprimir: não há impressoras instaladas.")});
        QCOMPARE(relatorios.relatorios.size(), 1);
        QCOMPARE(relatorios.relatorios.at(0).nome, QStringLiteral("rptErrosEstrutura"));
        QCOMPARE(relatorios.relatorios.at(0).destino, DestinoRelatorio::Visualizacao);
        QVERIFY(!relatorios.relatorios.at(0).imprimeDaVisualizacao);
    }

    // "&Cancelar" during the check asks the analyser to stop; confirmed, the locate page comes back.
    void cancelaVerificacao()
    {
        const QString arquivo = grava(400);
        ScriptedPresenter caixas;
        caixas.answer(MessageButton::Yes);
        ScriptedFileDialog dialogo;
        dialogo.answer(arquivo);
        ScriptedModal modal;
        bool pedido = false;
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            TPaginaLocalizar &p = *j.Localizar;
            connect(p.prCarregarArq, &QProgressBar::valueChanged, &j, [&](int v) {
                if (v >= 5 && !pedido) {
                    pedido = true;
                    QVERIFY(j.VerificandoArquivo);
                    QVERIFY(p.laStatus->isVisible());
                    QVERIFY(!p.bbLocalizar->isEnabled());
                    p.bbCancelar->click();
                }
            });
            p.bbLocalizar->click();
            QVERIFY(j.isVisible());
            QCOMPARE(j.PaginaAtual(), j.Localizar);
            QVERIFY(p.paConsDisquete->isVisible());
            QVERIFY(!p.bbVoltar->isVisible());
            QVERIFY(p.bbLocalizar->isEnabled());
            QVERIFY(!p.laStatus->isVisible());
            QVERIFY(!p.prCarregarArq->isVisible());
            QCOMPARE(QApplication::focusWidget(), p.edArquivo);
        });
        fmGDVORN->Consultardisquetedoano1->trigger();
        QVERIFY(pedido);
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Deseja interromper?")});
    }

    // A file the analyser cannot read (result 2) loads nothing: the locate page stays, and the summary of
    // the file browsed before is not shown as this one's.
    void arquivoNaoLido()
    {
        const QString arquivo = grava();
        ScriptedPresenter caixas;
        ScriptedFileDialog dialogo;
        dialogo.answer(arquivo);
        ScriptedModal modal;
        modal.then([&](QDialog &d) { janela(d).Localizar->bbLocalizar->click(); });
        fmGDVORN->Consultardisquetedoano1->trigger();
        QCOMPARE(textos(caixas), QStringList());

        const QString sumido = m_raiz->filePath(QStringLiteral("sumido.dec"));
        dialogo.answer(sumido);
        bool chegou = false;
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            j.Localizar->bbLocalizar->click();
            QCOMPARE(j.PaginaAtual(), j.Localizar);
            QVERIFY(!j.fmConsulta01);
            QVERIFY(j.Localizar->paConsDisquete->isVisible());
            QVERIFY(j.Localizar->bbLocalizar->isEnabled());
            QCOMPARE(j.Localizar->edArquivo->text(), sumido);
            chegou = true;
        });
        fmGDVORN->Consultardisquetedoano1->trigger();
        QVERIFY(chegou);
        QCOMPARE(caixas.boxes.size(), 1);
        QVERIFY(caixas.boxes.at(0).text.contains(QStringLiteral("Ocorreu erro na cópia do arquivo")));
    }

    // An establishment with a blank prefix lists the links with a blank prefix, not those of its other
    // prefix (rows as the analyser leaves them).
    void prefixoEmBranco()
    {
        criaTabelasTrabalho();
        m_tabelas->insere(QStringLiteral("te8resp"), responsavelValido());
        for (const char *prefixo : {"", "01"})
            m_tabelas->insere(QStringLiteral("te8emp"),
                              estabelecimentoDeTeste({{"NuPrefixoEstabelecimento", QLatin1String(prefixo)}, {"InVornNegEstabelecimento", "0"}}));
        for (const auto &[prefixo, pis] : {std::pair{"", "13000000002"}, {"01", "13000000010"}, {"", "13000000029"}})
            m_tabelas->insere(QStringLiteral("te8vinc"), vinculoDeTeste(QLatin1String(pis), {{"NuPrefixoEstabelecimento", QLatin1String(prefixo)}}));
        ScriptedModal modal;
        QStringList listados;
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            QCOMPARE(j.PaginaAtual(), j.fmConsulta01);
            j.fmConsulta01->bbDisquete->click();
            QCOMPARE(coluna(j.fmConsulta02->grEmp, 1), (QStringList{"", "01"}));
            j.fmConsulta02->bbConsultar->click();
            j.fmConsulta03->bbEmpregados->click();
            listados = coluna(j.fmConsulta04->grEmpregados, 0);
        });
        ConsultaAposTransmite(fmGDVORN, false);
        QCOMPARE(listados, (QStringList{"13000000002", "13000000029"}));
    }

    // The employee list holds every link of the establishment, past 50,000, and reaches its last row.
    void limiteDeEmpregados()
    {
        const int total = 50001;
        criaTabelasTrabalho();
        m_tabelas->insere(QStringLiteral("te8resp"), responsavelValido());
        m_tabelas->insere(QStringLiteral("te8emp"), estabelecimentoDeTeste({{"InVornNegEstabelecimento", "0"}}));
        const QVariantMap modelo = vinculoDeTeste(QStringLiteral("13000000002"));
        QList<QVariantMap> vinculos;
        for (int i = 0; i < total; ++i) {
            QVariantMap v = modelo;
            v[QStringLiteral("CoPisPasepEmpregado")] = QStringLiteral("2%1").arg(i, 10, 10, QLatin1Char('0'));
            vinculos << v;
        }
        m_tabelas->insere(QStringLiteral("te8vinc"), vinculos);
        ScriptedModal modal;
        int listados = 0;
        QString ultimo;
        qint64 ms = 0;
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            j.fmConsulta01->bbDisquete->click();
            j.fmConsulta02->bbConsultar->click();
            QElapsedTimer relogio;
            relogio.start();
            j.fmConsulta03->bbEmpregados->click();
            ms = relogio.elapsed();
            QTreeView *grade = j.fmConsulta04->grEmpregados;
            listados = grade->model()->rowCount();
            QTest::keyClick(grade, Qt::Key_End);
            ultimo = grade->currentIndex().data().toString();
            j.fmConsulta04->bbConsultar->click();
            QCOMPARE(texto(j.fmConsulta05, "edPISPASEP"), QStringLiteral("200.00050.00.0"));
            QVERIFY(!j.fmConsulta05->bbProximo->isEnabled());
        });
        ConsultaAposTransmite(fmGDVORN, false);
        QCOMPARE(listados, total);
        QCOMPARE(ultimo, QStringLiteral("20000050000"));
        qInfo("employee list of %d links: %lld ms", listados, ms);
    }

    // The transmission window's "Consultar &Arquivo": one file only; a file with structure findings opens
    // the browser at its error page; a transmitted file opens its summary with the receipt's identifier; a
    // file gone since the listing opens nothing.
    void consultaDaTransmissao_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("two files") << "dois";
        QTest::newRow("structure errors") << "erros";
        QTest::newRow("transmitted") << "transmitido";
        QTest::newRow("not read") << "sumido";
        QTest::newRow("cancelled") << "cancelado";
    }
    void consultaDaTransmissao()
    {
        QFETCH(QString, caso);
        QString arquivo;
        if (caso == QLatin1String("transmitido") || caso == QLatin1String("sumido") || caso == QLatin1String("cancelado")) {
            arquivo = grava(caso == QLatin1String("cancelado") ? 400 : 0);
            if (caso == QLatin1String("transmitido"))
                QVERIFY(gravaArquivo(arquivo.chopped(4) + QStringLiteral(".rec"), QByteArray("512345678").leftJustified(100, ' ') + "\r\n"));
        } else {
            QVERIFY(gravaVolume(m_transmite + QLatin1Char('/') + nomeVolume(1)));
            if (caso == QLatin1String("dois"))
                QVERIFY(gravaVolume(m_transmite + QLatin1Char('/') + nomeVolume(2)));
        }
        ScriptedPresenter caixas;
        caixas.answer(MessageButton::Yes); // "Deseja interromper?"
        ScriptedModal modal;
        bool transmissao = false;
        QString id;
        QStringList paginas;
        modal.then([&](QDialog &d) {
            auto &w = static_cast<TfmTransmite &>(d);
            for (int i = 0; i < w.LvListview1->Items().Count(); ++i)
                w.LvListview1->Items()[i]->SetChecked(true);
            QVERIFY(w.btnConsulta->isEnabled());
            if (caso == QLatin1String("sumido"))
                QVERIFY(QFile::remove(arquivo));
            if (caso == QLatin1String("cancelado"))
                connect(w.prCarregarArq, &QProgressBar::valueChanged, &w, [&w](int v) {
                    if (v >= 5 && w.CarregandoArquivo()) {
                        QVERIFY(w.laStatus->isVisible());
                        QVERIFY(!w.btnConsulta->isEnabled());
                        QTest::keyClick(&w, Qt::Key_Escape);
                    }
                });
            w.btnConsulta->click();
            QVERIFY(w.isVisible());
            QVERIFY(!w.laStatus->isVisible());
            QVERIFY(!w.prCarregarArq->isVisible());
            QVERIFY(w.BitBtnC->isEnabled());
            transmissao = true;
        });
        modal.then([&](QDialog &d) {
            TfmConsultaDisquete &j = janela(d);
            id = Configuracao().IdTransmissao;
            paginas << j.PaginaAtual()->objectName();
            if (j.PaginaAtual() == j.Localizar) {
                QVERIFY(j.Localizar->paRelatorio->isVisible());
                QVERIFY(!j.Localizar->bbVoltar->isVisible());
                QVERIFY(!Configuracao().ConsultaAposTransmite);
                j.Localizar->bbCancelar->click();
            } else {
                QCOMPARE(texto(j.fmConsulta01, "edInscricao"), QStringLiteral("11.222.333/0001-81"));
                j.fmConsulta01->bbFechar->click();
            }
        });
        fmGDVORN->Transmite1->trigger();
        QVERIFY(transmissao);
        if (caso == QLatin1String("dois")) {
            QCOMPARE(textos(caixas), QStringList{QStringLiteral("Para realizar a consulta, selecione somente uma declaração.")});
            QCOMPARE(modal.shown, QStringList{QStringLiteral("fmTransmite")});
        } else if (caso == QLatin1String("cancelado")) {
            QCOMPARE(textos(caixas), QStringList{QStringLiteral("Deseja interromper?")});
            QCOMPARE(modal.shown, QStringList{QStringLiteral("fmTransmite")});
        } else if (caso == QLatin1String("sumido")) {
            QCOMPARE(modal.shown, QStringList{QStringLiteral("fmTransmite")});
            QVERIFY(textos(caixas).value(0).contains(QStringLiteral("Ocorreu erro na cópia do arquivo")));
        } else {
            QCOMPARE(textos(caixas), QStringList());
            QCOMPARE(modal.shown, (QStringList{QStringLiteral("fmTransmite"), QStringLiteral("fmConsultaDisquete")}));
            QCOMPARE(paginas, QStringList{caso == QLatin1String("erros") ? QStringLiteral("paLocalizar") : QStringLiteral("fmConsulta01")});
            if (caso == QLatin1String("transmitido"))
                QCOMPARE(id, QStringLiteral("590512345678"));
            QCOMPARE(Configuracao().IdTransmissao, QStringLiteral(" "));
        }
    }
};

QTEST_MAIN(tst_ufmConsulta)
#include "tst_ufmConsulta.moc"
