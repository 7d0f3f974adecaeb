// The analysis wizard driven offscreen on files written by the record builders: boxes through the
// scripted presenter, the wizard through the scripted modal executor, reports through the recorder.

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "fileformat/ugHashVorn.h"
#include "workflows/ufmAnalis.h"
#include "workflows/ugAnalis.h"

#include "FixtureConsistencia.h"
#include "FixtureTabelas.h"
#include "GravadorRelatorios.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "tests/workflows/DeclaracaoImportada.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

bool existe(const QString &tabela)
{
    return schemaObjectExists(database(), QStringLiteral("main"), QStringLiteral("table"), tabela);
}

TPaginaAssistente *atual(QDialog &d) { return static_cast<TfmAssistente &>(d).PaginaAtual(); }

template <class T>
T *pagina(QDialog &d)
{
    return d.findChild<T *>();
}

QStringList textos(const ScriptedPresenter &p)
{
    QStringList t;
    for (const auto &b : p.boxes)
        t << b.text;
    return t;
}

const QStringList kTabelasAnalise{"te8emp", "te8vinc", "te8resp", "te8errwa", "te8stru"};

} // namespace

class tst_ufmAnalis : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureTabelas> m_tabelas;
    std::unique_ptr<QTemporaryDir> m_pasta;

    QString arquivo() const { return m_pasta->filePath(QStringLiteral("VORN2010_outro.txt")); }

    // A file of one establishment with a complete responsible row; `cep` spoils the establishment's
    // CEP (an error), `retificacao` marks the header; `vinculos` links of that establishment.
    void escreveArquivo(bool erro = false, bool retificacao = false, int vinculos = 0, const QByteArray &cauda = {})
    {
        criaTabelasDeTrabalho();
        QVariantMap r = responsavelValido();
        if (retificacao) {
            r["InRetificacao"] = true;
            r["DaRetificacao"] = "10012011";
        }
        insereLinha("te8resp", r);
        QVariantMap e = estabelecimentoValido();
        if (erro)
            e["CoCepEstabelecimento"] = "0100100";
        if (vinculos > 0) {
            e["InVornNegEstabelecimento"] = "0";
            e["NuVinculosEstabelecimento"] = QString::number(vinculos).rightJustified(6, QLatin1Char('0'));
        }
        insereLinha("te8emp", e);
        {
            Transaction t;
            for (int i = 0; i < vinculos; ++i)
                insereLinha("te8vinc", vinculo("2010", e["CoCgcCeiEstabelecimento"].toString(),
                                               e["NuPrefixoEstabelecimento"].toString(),
                                               QStringLiteral("1%1").arg(i + 1, 10, 10, QLatin1Char('0')), "00"));
            t.commit();
        }
        gravaArquivo(arquivo(), declaracaoDasTabelasDeTrabalho(2010, "\r\n", cauda));
        RemoveTabelasAnalise();
    }

    static void avanca(QDialog &d, const QString &nome)
    {
        auto *p00 = pagina<TfmAnalis00>(d);
        p00->arquivo->setText(nome);
        p00->bbAvancar->click();
    }

    QStringList volumes() const
    {
        return QDir(PastaDaUnidade(QStringLiteral("C"))).entryList({QStringLiteral("*.dec"), QStringLiteral("VORN*")},
                                                                   QDir::Files, QDir::Name);
    }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<FixtureTabelas>();
        preencheTabelasValidas(*m_tabelas);
        m_pasta = std::make_unique<QTemporaryDir>();
        qputenv("GDVORN_RAIZ", m_pasta->path().toLocal8Bit());
        qunsetenv("GDVORN_UNIDADE_A");
        qunsetenv("GDVORN_UNIDADE_B");
        setDiretorioPrograma(m_pasta->path());
        QDir(m_pasta->path()).mkpath(QStringLiteral("Transmite"));
        dmGDVorn = &m_tabelas->modulo();
        dmRaveRelatorios = new TdmRaveRelatorios;
        RegistraRelatorios(*dmRaveRelatorios);
        RegistraAnalise();
        fmGDVORN = new TfmGDVORN;
        Configuracao().ModoParticao = false;
        Configuracao().QtdArquivos = 0;
    }
    void cleanup()
    {
        delete fmGDVORN;
        fmGDVORN = nullptr;
        delete dmRaveRelatorios;
        dmRaveRelatorios = nullptr;
        dmGDVorn = nullptr;
        m_tabelas.reset();
        m_pasta.reset();
    }

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

    // A file that is not there, or is a folder: the box, the page stays.
    void arquivoRecusado()
    {
        ScriptedPresenter caixas;
        auto assistente = CriaAnalise(nullptr);
        assistente->show();
        assistente->inicia();
        avanca(*assistente, m_pasta->filePath(QStringLiteral("nada.txt")));
        avanca(*assistente, m_pasta->path());
        const QString msg = QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo.");
        QCOMPARE(textos(caixas), (QStringList{msg, msg}));
        auto *p00 = pagina<TfmAnalis00>(*assistente);
        QCOMPARE(atual(*assistente), p00);
        QVERIFY(p00->PLocalizar->isVisible());
    }

    // Structure errors: the error panel, its report with the year, Voltar to an empty locate panel.
    void errosDeEstrutura()
    {
        escreveArquivo(false, false, 0, "lixo depois do trailer");
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        auto assistente = CriaAnalise(nullptr);
        assistente->show();
        assistente->inicia();
        avanca(*assistente, arquivo());
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
        p00->bbVoltar->click();
        QVERIFY(p00->PLocalizar->isVisible());
        QVERIFY(!p00->paErroEstrut->isVisible());
        QCOMPARE(p00->arquivo->text(), QString());
        QVERIFY(!p00->bbAvancar->isEnabled());
        QCOMPARE(textos(caixas), QStringList());
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
        escreveArquivo(false, false, 400);
        ScriptedPresenter caixas;
        caixas.answer(sim ? MessageButton::Yes : MessageButton::No);
        ScriptedModal modal;
        bool pedido = false;
        bool resultado = false;
        modal.then([&](QDialog &d) {
            auto *p00 = pagina<TfmAnalis00>(d);
            connect(p00->pbEstrutura, &QProgressBar::valueChanged, p00, [&, p00](int v) {
                if (v >= 5 && !pedido) {
                    pedido = true;
                    QVERIFY(p00->AnalisandoEstrutura);
                    QTest::keyClick(&d, Qt::Key_Escape);
                }
            });
            avanca(d, arquivo());
            resultado = atual(d) == pagina<TfmAnalis01>(d);
            if (resultado)
                pagina<TfmAnalis01>(d)->BtCancelar->click();
        });
        fmGDVORN->findChild<QAction *>(QStringLiteral("Analisador2"))->trigger();
        QVERIFY(pedido);
        QCOMPARE(textos(caixas).value(0), QStringLiteral("Deseja interromper?"));
        QCOMPARE(resultado, !sim);
        for (const QString &t : kTabelasAnalise)
            QVERIFY2(!existe(t), qPrintable(t));
    }

    // A file with errors: PInco with its reports, Gravar disabled; the correction path imports it.
    void arquivoComErros()
    {
        escreveArquivo(true);
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            avanca(d, arquivo());
            auto *p01 = pagina<TfmAnalis01>(d);
            QCOMPARE(atual(d), p01);
            QVERIFY(p01->PInco->isVisible());
            QVERIFY(!p01->BtConcluir->isEnabled());
            QVERIFY(p01->bbImpErros->hasFocus());
            p01->bbImpErros->click();
            QCOMPARE(relatorios.relatorios.size(), 1);
            QCOMPARE(relatorios.relatorios.first().nome, QStringLiteral("rptErros"));
            const QString nota = QStringLiteral("<Corrigir no GDVorn>");
            QCOMPARE(p01->Memo1->toPlainText().count(nota), 1);
            modal.then([&](QDialog &regras) {
                QCOMPARE(regras.objectName(), QStringLiteral("fmAnalisRegras"));
                modal.then([&](QDialog &imp) {
                    auto *p02 = imp.findChild<QListWidget *>();
                    QVERIFY(p02);
                    for (int i = 0; i < p02->count(); ++i)
                        QCOMPARE(p02->item(i)->checkState(), Qt::Checked);
                    imp.findChild<QPushButton *>(QStringLiteral("BtConcluir"))->click();
                    const auto fechar = imp.findChildren<QPushButton *>(QStringLiteral("BtFechar"));
                    for (QPushButton *b : fechar)
                        if (b->isVisible())
                            b->click();
                });
                regras.findChild<QPushButton *>(QStringLiteral("BtFechar"))->click();
            });
            p01->BtImporta->click();
            QCOMPARE(atual(d), p01);
            QCOMPARE(p01->Memo1->toPlainText().count(nota), 1);
            p01->BtCancelar->click();
            chegou = true;
        });
        fmGDVORN->findChild<QAction *>(QStringLiteral("Analisador2"))->trigger();
        QVERIFY(chegou);
        QCOMPARE(linhas(QStringLiteral("select CoCgcCeiEstabelecimento from bd8emp")), QStringList{"11222333000181"});
        for (const QString &t : kTabelasAnalise)
            QVERIFY2(!existe(t), qPrintable(t));
    }

    // A clean file rewritten to drive C: sealed, header CREA zeros, page 02, Transmitir for later.
    void reescreveArquivoLimpo()
    {
        escreveArquivo();
        ScriptedPresenter caixas;
        ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            avanca(d, arquivo());
            auto *p01 = pagina<TfmAnalis01>(d);
            QCOMPARE(atual(d), p01);
            QVERIFY(p01->POk->isVisible());
            QVERIFY(!p01->edCrea->isVisible());
            p01->cbDrive->setCurrentIndex(-1);
            p01->BtConcluir->click();
            QCOMPARE(textos(caixas).size(), 1); // message 0600
            QVERIFY(p01->cbDrive->hasFocus());
            p01->cbDrive->setCurrentIndex(p01->cbDrive->findText(QStringLiteral("Drive C:")));
            p01->BtConcluir->click();
            auto *p02 = pagina<TfmAnalis02>(d);
            QCOMPARE(atual(d), p02);
            QVERIFY(p02->btnTransmite->isVisible());
            p02->btnTransmite->click();
            chegou = true;
        });
        fmGDVORN->findChild<QAction *>(QStringLiteral("Analisador2"))->trigger();
        QVERIFY(chegou);
        const QStringList v = volumes();
        QCOMPARE(v.size(), 1);
        const QString caminho = PastaDaUnidade(QStringLiteral("C")) + QLatin1Char('/') + v.first();
        QVERIFY(ComparaHashArquivo(caminho));
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readLine().mid(371, 12), QByteArray("000000000000"));
        QCOMPARE(Configuracao().TransmiteAposGravacao, 1);
        QVERIFY(fmGDVORN->edTrans->isVisibleTo(fmGDVORN));
        for (const QString &t : kTabelasAnalise + QStringList{"te8proid", "te8proes"})
            QVERIFY2(!existe(t), qPrintable(t));
    }

    // Split: no consistency analysis, volumes with " P" and no hash, only Fechar; the next run analyses.
    void particiona()
    {
        escreveArquivo(false, false, 16000);
        ScriptedPresenter caixas;
        ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Particionar Arquivo"));
            auto *p00 = pagina<TfmAnalis00>(d);
            QVERIFY(!p00->pbConsistencia->isVisibleTo(p00));
            avanca(d, arquivo());
            auto *p01 = pagina<TfmAnalis01>(d);
            QCOMPARE(atual(d), p01);
            QVERIFY(!p01->Panel1->isVisibleTo(p01));
            QVERIFY(p01->Memo4->isVisibleTo(p01));
            QVERIFY(!existe(QStringLiteral("te8errwa")));
            p01->BtConcluir->click();
            auto *p02 = pagina<TfmAnalis02>(d);
            QCOMPARE(atual(d), p02);
            QVERIFY(!p02->btnTransmite->isVisibleTo(p02));
            QVERIFY(!p02->bbRelat->isVisibleTo(p02));
            QVERIFY(p02->bbFechar->isVisibleTo(p02));
            p02->bbFechar->click();
            chegou = true;
        });
        fmGDVORN->findChild<QAction *>(QStringLiteral("ParticionarArquivo1"))->trigger();
        QVERIFY(chegou);
        QCOMPARE(textos(caixas).size(), 1);
        QVERIFY(textos(caixas).first().startsWith(QStringLiteral("A declaração foi particionada em 2 arquivos")));
        const QStringList v = volumes();
        QCOMPARE(v.size(), 2);
        for (const QString &n : v) {
            const QString caminho = PastaDaUnidade(QStringLiteral("C")) + QLatin1Char('/') + n;
            QVERIFY(!ComparaHashArquivo(caminho));
            QFile f(caminho);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readLine().mid(396, 2), QByteArray(" P"));
        }
        QVERIFY(!Configuracao().ModoParticao);
        modal.then([&](QDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Analisar um arquivo VORN"));
            d.reject();
        });
        fmGDVORN->findChild<QAction *>(QStringLiteral("Analisador2"))->trigger();
    }
};

QTEST_MAIN(tst_ufmAnalis)
#include "tst_ufmAnalis.moc"
