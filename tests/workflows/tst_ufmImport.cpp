// The import wizard driven offscreen: from the main window's commands on files written by the record
// builders, and its pages on their own. Boxes through the scripted presenter, the file dialog through
// the scripted one, the wizard through the scripted modal executor, reports through the recorder.

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "workflows/ufmImportacao.h"

#include "FixtureConsistencia.h"
#include "FixtureTabelas.h"
#include "GravadorRelatorios.h"
#include "ProgramFixture.h"
#include "ScriptedFileDialog.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "tests/workflows/DeclaracaoImportada.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

bool existe(const QString &tabela)
{
    return schemaObjectExists(database(), QStringLiteral("main"), QStringLiteral("table"), tabela);
}

QString pis(int n) { return QStringLiteral("1%1").arg(n, 10, 10, QLatin1Char('0')); }

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

const QString kNaoExiste = QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo.");
const QString kIlegivel = QStringLiteral("Erro: Não é possivel ler o arquivo. Feche todos os programas que possam estar "
                                         "utilizando-o e tente novamente");
const QString kGrande = QStringLiteral("Declaração com tamanho maior do que é permitido importar. Utilize a função "
                                       "\"Analisar Arquivo\" para particionar o arquivo.");

} // namespace

class tst_ufmImport : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureTabelas> m_tabelas;
    std::unique_ptr<ProgramFixture> m_programa;
    std::unique_ptr<QTemporaryDir> m_pasta;

    QString arquivo() const { return m_pasta->filePath(QStringLiteral("Vorn2009_teste.dec")); }

    // The file of the rows put into the work tables, written with `ano` in its year fields.
    void escreveArquivo(int ano, const QByteArray &cauda = QByteArray())
    {
        gravaArquivo(arquivo(), declaracaoDasTabelasDeTrabalho(ano, "\r\n", cauda));
    }

    // Page 00 of the wizard given the file name (through the dialog) and Next pressed.
    static void avanca(QDialog &d, const QString &nome)
    {
        auto *p00 = pagina<TfmImport00>(d);
        p00->arquivo->setText(nome);
        p00->BtAvancar->click();
    }

    // The three establishments of the previous year's scenario: A new (links of causes 00, 71, 78, 12);
    // B stored with the same linked CNPJ and two of its three links; C stored under another linked CNPJ.
    void cenario(const QString &ano)
    {
        criaTabelasDeTrabalho();
        insereLinha("te8emp", estabelecimento(ano, kCnpjA, "00", kVinculadoA, true, 4));
        insereLinha("te8emp", estabelecimento(ano, kCnpjB, "00", kVinculadoA, true, 3));
        insereLinha("te8emp", estabelecimento(ano, kCnpjC, "00", kVinculadoA, true, 1));
        const char *causas[] = {"00", "71", "78", "12"};
        for (int i = 0; i < 4; ++i)
            insereLinha("te8vinc", vinculo(ano, kCnpjA, "00", pis(i + 1), QLatin1String(causas[i])));
        for (int i = 5; i <= 7; ++i)
            insereLinha("te8vinc", vinculo(ano, kCnpjB, "00", pis(i), "00"));
        insereLinha("te8vinc", vinculo(ano, kCnpjC, "00", pis(8), "00"));
        escreveArquivo(ano.toInt());
        QVariantMap b = estabelecimento("2010", kCnpjB, "00", kVinculadoA, true, 9);
        b["NoRazaoEstabelecimento"] = "GUARDADA B";
        b["CoCNPJSindical"] = "";
        insereLinha("bd8emp", b);
        QVariantMap c = estabelecimento("2010", kCnpjC, "00", kVinculadoB, true, 0);
        c["CoCNPJSindical"] = "";
        insereLinha("bd8emp", c);
        insereLinha("bd8vinc", vinculo("2010", kCnpjB, "00", pis(5), "00"));
        insereLinha("bd8vinc", vinculo("2010", kCnpjB, "00", pis(6), "00"));
    }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<FixtureTabelas>();
        preencheTabelasValidas(*m_tabelas);
        m_pasta = std::make_unique<QTemporaryDir>();
        qputenv("GDVORN_RAIZ", m_pasta->path().toLocal8Bit());
        qunsetenv("GDVORN_UNIDADE_A");
        m_programa = std::make_unique<ProgramFixture>(*m_tabelas);
        m_programa->create(dmRaveRelatorios);
        RegistraRelatorios(*dmRaveRelatorios);
        RegistraImportacao();
        m_programa->create(fmGDVORN);
    }
    void cleanup()
    {
        m_programa.reset();
        m_tabelas.reset();
        m_pasta.reset();
    }

    // Last year's and this year's file imported whole from the main window.
    void importaDaJanelaPrincipal_data()
    {
        QTest::addColumn<int>("ano");
        QTest::addColumn<QStringList>("estabelecimentos");
        QTest::addColumn<QStringList>("vinculos");
        QTest::addColumn<QStringList>("estatisticas");
        const QString a = kCnpjA, b = kCnpjB, c = kCnpjC;
        QTest::newRow("2009 file") << 2009
            << QStringList{"2010|" + a + "|00|" + kVinculadoA + "|EMPRESA 0181|000003|1|",
                           "2010|" + b + "|00|" + kVinculadoA + "|GUARDADA B|000003|0|1",
                           "2010|" + c + "|00|" + kVinculadoB + "|EMPRESA 0343|000000|0|1",
                           "2010|" + c + "|G0|" + kVinculadoA + "|EMPRESA 0343|000001|1|"}
            << QStringList{"2010|" + a + "|00|" + pis(1) + "|00|000|", "2010|" + a + "|00|" + pis(2) + "|71|000|",
                           "2010|" + a + "|00|" + pis(3) + "|78|000|", "2010|" + b + "|00|" + pis(5) + "|00|176|1",
                           "2010|" + b + "|00|" + pis(6) + "|00|176|1", "2010|" + b + "|00|" + pis(7) + "|00|000|",
                           "2010|" + c + "|G0|" + pis(8) + "|00|000|"}
            << QStringList{"2010|" + a + "|00|000004|1|0|3||", "2010|" + b + "|00|000003|0|2|1||",
                           "2010|" + c + "|G0|000001|0|0|1|1505|1"};
        QTest::newRow("2010 file") << 2010
            << QStringList{"2010|" + a + "|00|" + kVinculadoA + "|EMPRESA 0181|000004|0|1",
                           "2010|" + b + "|00|" + kVinculadoA + "|GUARDADA B|000003|0|1",
                           "2010|" + c + "|00|" + kVinculadoB + "|EMPRESA 0343|000000|0|1",
                           "2010|" + c + "|G0|" + kVinculadoA + "|EMPRESA 0343|000001|0|1"}
            << QStringList{"2010|" + a + "|00|" + pis(1) + "|00|176|1", "2010|" + a + "|00|" + pis(2) + "|71|176|1",
                           "2010|" + a + "|00|" + pis(3) + "|78|176|1", "2010|" + a + "|00|" + pis(4) + "|12|176|1",
                           "2010|" + b + "|00|" + pis(5) + "|00|176|1", "2010|" + b + "|00|" + pis(6) + "|00|176|1",
                           "2010|" + b + "|00|" + pis(7) + "|00|176|1", "2010|" + c + "|G0|" + pis(8) + "|00|176|1"}
            << QStringList{"2010|" + a + "|00|000004|0|0|4||", "2010|" + b + "|00|000003|0|2|1||",
                           "2010|" + c + "|G0|000001|0|0|1|1505|1"};
    }
    void importaDaJanelaPrincipal()
    {
        QFETCH(int, ano);
        QFETCH(QStringList, estabelecimentos);
        QFETCH(QStringList, vinculos);
        QFETCH(QStringList, estatisticas);
        cenario(QString::number(ano));
        Configuracao().SemDeclaracao = 1;
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        ScriptedFileDialog dialogo;
        dialogo.answer(arquivo());
        ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            auto *p00 = pagina<TfmImport00>(d);
            QCOMPARE(atual(d), p00);
            const QString opcao = ano == 2009 ? QStringLiteral("Anterior - Ano 2009") : QStringLiteral("Atual - Ano 2010");
            QCOMPARE(d.windowTitle(), "Assistente para Importação de Estabelecimentos (Declaração Ano-Base " + opcao + ")");
            QCOMPARE(p00->PAnoBase->text(), "Declaração Ano-Base " + opcao);
            QVERIFY(!p00->BtAvancar->isEnabled());
            QVERIFY(p00->arquivo->hasFocus());
            p00->BtLocalizar->click();
            QCOMPARE(dialogo.requests.size(), 1);
            QCOMPARE(dialogo.requests.first().pastaInicial, Raiz()); // no diskette drive
            QCOMPARE(p00->arquivo->text(), arquivo());
            p00->BtAvancar->click();
            auto *p02 = pagina<TfmImport02>(d);
            QCOMPARE(atual(d), p02);
            QCOMPARE(p02->StatusArquivoP->text(), "Informações referentes ao ano " + QString::number(ano));
            QCOMPARE(p02->LEmpresas->count(), 3);
            QCOMPARE(p02->LEmpresas->item(0)->text(),
                     QStringLiteral("11.222.333/0001-81  00  EMPRESA 0181                    000004"));
            p02->SelecAllRButton->click();
            QCOMPARE(p02->LEmpresas->marcados(), 3);
            p02->BtConcluir->click();
            auto *p03 = pagina<TfmImport03>(d);
            QCOMPARE(atual(d), p03);
            QVERIFY(p03->BtFechar->hasFocus());
            p03->BtVisual->click();
            QCOMPARE(relatorios.relatorios.size(), 1);
            QCOMPARE(relatorios.relatorios.first().nome, QStringLiteral("rptImportacao"));
            QVERIFY(relatorios.relatorios.first().paginas.join(QString()).contains(QLatin1String("G0")));
            QCOMPARE(linhas(QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NuVinculosEstabelecimento, "
                                           "NuTotalDesligados, NuTotalDuplicados, NuTotalImportados, CoImp, Seq from te8imp")),
                     estatisticas);
            p03->BtFechar->click();
            chegou = true;
        });
        fmGDVORN->findChild<QAction *>(ano == 2009 ? QStringLiteral("AnoAnterior") : QStringLiteral("AnoAtual"))->trigger();
        QVERIFY(chegou);
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(linhas(QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoCgcVinculado, "
                                       "NoRazaoEstabelecimento, NuVinculosEstabelecimento, InAvisoCnae, InSindicalizada "
                                       "from bd8emp order by 1, 2, 3")),
                 estabelecimentos);
        QCOMPARE(linhas(QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
                                       "CoCausaDesligamento, HoTrabalhadasJaneiro, InSindicalizadoVinculo "
                                       "from bd8vinc order by 1, 2, 3, 4")),
                 vinculos);
        QCOMPARE(linhas(QStringLiteral("select count(*) from bd8emp where CoCNPJSindical <> ''")), QStringList{"0"});
        for (const char *t : {"te8emp", "te8vinc", "te8imp", "te8stru"})
            QVERIFY2(!existe(QLatin1String(t)), t);
        QVERIFY(existe(QStringLiteral("te8resp")));
        QVERIFY(fmGDVORN->AnoAnterior->isEnabled());
        QVERIFY(fmGDVORN->sbImpAnoAtual->isEnabled());
        QCOMPARE(int(Configuracao().SemDeclaracao), 0); // the commands were evaluated again

        // A second file in the same run of the program reaches its choice (the work tables can be made again).
        dialogo.answer(arquivo());
        bool denovo = false;
        modal.then([&](QDialog &d) {
            pagina<TfmImport00>(d)->BtLocalizar->click();
            pagina<TfmImport00>(d)->BtAvancar->click();
            QCOMPARE(atual(d), pagina<TfmImport02>(d));
            denovo = true;
        });
        fmGDVORN->findChild<QAction *>(ano == 2009 ? QStringLiteral("AnoAnterior") : QStringLiteral("AnoAtual"))->trigger();
        QVERIFY(denovo);
        QCOMPARE(textos(caixas), QStringList());
    }

    // Page 00 refuses a file it cannot take and stays, with Next enabled again.
    void pagina00Recusa_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("missing") << "missing" << kNaoExiste;
        QTest::newRow("unreadable (a folder)") << "folder" << kIlegivel;
        QTest::newRow("050001 links") << "large" << kGrande;
    }
    void pagina00Recusa()
    {
        QFETCH(QString, caso);
        QFETCH(QString, mensagem);
        QString nome = arquivo();
        if (caso == QLatin1String("missing"))
            nome = m_pasta->filePath(QStringLiteral("nada.dec"));
        else if (caso == QLatin1String("folder"))
            nome = m_pasta->path();
        else {
            QByteArray b;
            for (int i = 1; i <= 5; ++i) {
                QByteArray r(550, '0');
                r[22] = i == 5 ? '9' : '2';
                b += r + "\r\n";
            }
            b.replace(4 * 552 + 29, 6, "050001");
            gravaArquivo(nome, b);
        }
        ScriptedPresenter caixas;
        auto assistente = CriaImportacao(nullptr, QStringLiteral("Atual - Ano 2010"));
        assistente->show();
        assistente->inicia();
        avanca(*assistente, nome);
        QCOMPARE(textos(caixas), QStringList{mensagem});
        auto *p00 = pagina<TfmImport00>(*assistente);
        QCOMPARE(atual(*assistente), p00);
        QVERIFY(p00->PLocalizar->isVisible());
        QVERIFY(!p00->PEstrutura->isVisible());
        QVERIFY(!p00->AnalisandoArquivo);
        QVERIFY(p00->BtAvancar->isEnabled());
        QCOMPARE(p00->arquivo->text(), nome);
        QVERIFY(!existe(QStringLiteral("te8emp")));
    }

    // Cancel during the structure check asks the analyser to stop; Yes brings back an empty file name.
    void interrompeVerificacao()
    {
        cenario(QStringLiteral("2010"));
        ScriptedPresenter caixas;
        caixas.answer(MessageButton::Yes);
        auto assistente = CriaImportacao(nullptr, QStringLiteral("Atual - Ano 2010"));
        assistente->show();
        assistente->inicia();
        auto *p00 = pagina<TfmImport00>(*assistente);
        bool pedido = false;
        connect(p00->ProgressBar, &QProgressBar::valueChanged, p00, [&](int v) {
            if (v >= 8 && !pedido) {
                pedido = true;
                QVERIFY(p00->AnalisandoArquivo);
                QTest::keyClick(assistente.get(), Qt::Key_Escape);
            }
        });
        avanca(*assistente, arquivo());
        QVERIFY(pedido);
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Deseja interromper?")});
        QCOMPARE(atual(*assistente), p00);
        QVERIFY(assistente->isVisible());
        QVERIFY(p00->PLocalizar->isVisible());
        QCOMPARE(p00->arquivo->text(), QString());
        QVERIFY(!existe(QStringLiteral("te8emp")));
    }

    // A file with a structure finding goes to page 01, whose button shows the findings' report.
    void errosDeEstrutura()
    {
        cenario(QStringLiteral("2010"));
        escreveArquivo(2010, "lixo depois do trailer");
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        relatorios.impressora = false;
        auto assistente = CriaImportacao(nullptr, QStringLiteral("Atual - Ano 2010"));
        assistente->show();
        assistente->inicia();
        avanca(*assistente, arquivo());
        auto *p01 = pagina<TfmImport01>(*assistente);
        QCOMPARE(atual(*assistente), p01);
        QVERIFY(p01->BtFechar->hasFocus());
        p01->BtErroVisual->click();
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Não é possível imprimir: não há impressoras instaladas.")});
        QCOMPARE(relatorios.relatorios.size(), 1);
        QCOMPARE(relatorios.relatorios.first().nome, QStringLiteral("rptErrosEstrutura"));
        QVERIFY(!relatorios.relatorios.first().imprimeDaVisualizacao);
        QVERIFY(p01->BtErroVisual->isEnabled());
        p01->BtFechar->click();
        QVERIFY(!assistente->isVisible());
    }

    // An advance declaration: refused by this year's variant, taken by last year's.
    void antecipacao_data()
    {
        QTest::addColumn<int>("ano");
        QTest::newRow("this year refuses") << 2010;
        QTest::newRow("last year accepts") << 2009;
    }
    void antecipacao()
    {
        QFETCH(int, ano);
        criaTabelasDeTrabalho();
        QVariantMap e = estabelecimento(QString::number(ano), kCnpjA, "00", kVinculadoA, false);
        e["InEncerramentoAtividade"] = "1";
        e["DaEncerramentoAtividade"] = "1503" + QString::number(ano + 1);
        insereLinha("te8emp", e);
        escreveArquivo(ano);
        ScriptedPresenter caixas;
        auto assistente = CriaImportacao(nullptr, ano == 2010 ? QStringLiteral("Atual - Ano 2010")
                                                              : QStringLiteral("Anterior - Ano 2009"));
        assistente->show();
        assistente->inicia();
        avanca(*assistente, arquivo());
        if (ano == 2010) {
            QCOMPARE(textos(caixas), QStringList{QStringLiteral("O arquivo é uma antecipação de 2010. Não poderá ser importado.")});
            QVERIFY(!assistente->isVisible());
        } else {
            QCOMPARE(textos(caixas), QStringList());
            QCOMPARE(atual(*assistente), pagina<TfmImport02>(*assistente));
        }
    }

    // Page 02 on work rows: "1301" with nothing ticked, the prefix checks of a click and of "Selecionar
    // Todos", a 12-digit CEI imported as "00" + its digits, Cancel during the copy keeping the ticks.
    void pagina02()
    {
        m_tabelas->insere(QStringLiteral("tb8msg"), QVariantMap{{"NuMensagem", "1301"}, {"TpMensagem", "WAR"},
                                                               {"TxMensagem", "Nenhum item foi selecionado."}});
        criaTabelasDeTrabalho();
        insereLinha("te8emp", estabelecimento("2010", kCnpjA, "00", kVinculadoA, false));
        insereLinha("te8emp", estabelecimento("2010", kCnpjB, "1", kVinculadoA, false));
        insereLinha("te8emp", estabelecimento("2010", kCei.mid(2), "00", kVinculadoA, false));
        ScriptedPresenter caixas;
        auto assistente = CriaImportacao(nullptr, QStringLiteral("Atual - Ano 2010"));
        assistente->show();
        assistente->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(assistente.get()));
        auto *p02 = pagina<TfmImport02>(*assistente);
        p02->AnoImportacao = 2010;
        assistente->mostra(p02);
        QCOMPARE(p02->LEmpresas->count(), 3);
        QVERIFY(p02->BtConcluir->hasFocus());
        p02->BtConcluir->click();
        QCOMPARE(caixas.boxes.size(), 1);
        QVERIFY(caixas.boxes.first().text.contains(QLatin1String("Nenhum item foi selecionado")));
        caixas.boxes.clear();

        QListWidget *lista = p02->LEmpresas;
        const auto linha = [&](const QString &inicio) {
            for (int i = 0; i < lista->count(); ++i)
                if (lista->item(i)->data(Qt::UserRole).toStringList().value(1) == inicio)
                    return i;
            return -1;
        };
        const int b = linha(kCnpjB), cei = linha(kCei.mid(2));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(b)).center());
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Este estabelecimento não poderá ser importado. Verifique Prefixo.")});
        QCOMPARE(lista->item(b)->checkState(), Qt::Unchecked);
        caixas.boxes.clear();

        p02->SelecAllRButton->click();
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Prefixo Inválido. Estabelecimento não poderá ser importado.")});
        QCOMPARE(lista->currentRow(), b);
        for (int i = 0; i < lista->count(); ++i)
            QCOMPARE(lista->item(i)->checkState(), i < b ? Qt::Checked : Qt::Unchecked);
        p02->LimparAllRButton->click();
        QCOMPARE(p02->LEmpresas->marcados(), 0);

        lista->item(cei)->setCheckState(Qt::Checked);
        QVERIFY(!p02->SelecAllRButton->isChecked());
        p02->BtConcluir->click();
        QCOMPARE(atual(*assistente), pagina<TfmImport03>(*assistente));
        QCOMPARE(linhas(QStringLiteral("select CoCgcCeiEstabelecimento from bd8emp")), QStringList{kCei});
    }

    // Esc during the copy asks "Deseja interromper?": Yes returns to the choice with the ticks kept and
    // nothing stored.
    void cancelaCopia()
    {
        criaTabelasDeTrabalho();
        insereLinha("te8emp", estabelecimento("2010", kCnpjA, "00", kVinculadoA, true, 40));
        for (int i = 1; i <= 40; ++i)
            insereLinha("te8vinc", vinculo("2010", kCnpjA, "00", pis(i), "00"));
        ScriptedPresenter caixas;
        caixas.answer(MessageButton::Yes);
        auto assistente = CriaImportacao(nullptr, QStringLiteral("Atual - Ano 2010"));
        assistente->show();
        auto *p02 = pagina<TfmImport02>(*assistente);
        p02->AnoImportacao = 2010;
        assistente->mostra(p02);
        p02->LEmpresas->item(0)->setCheckState(Qt::Checked);
        bool pedido = false;
        connect(p02->Gauge, &QProgressBar::valueChanged, p02, [&](int v) {
            if (v >= 50 && !pedido) {
                pedido = true;
                QTest::keyClick(assistente.get(), Qt::Key_Escape);
            }
        });
        p02->BtConcluir->click();
        QVERIFY(pedido);
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Deseja interromper?")});
        QCOMPARE(atual(*assistente), p02);
        QVERIFY(p02->PMarca->isVisible());
        QVERIFY(!p02->PImporta->isVisible());
        QVERIFY(p02->BtConcluir->isEnabled());
        QCOMPARE(p02->LEmpresas->item(0)->checkState(), Qt::Checked);
        QCOMPARE(linhas(QStringLiteral("select count(*) from bd8vinc")), QStringList{"0"});
        QCOMPARE(linhas(QStringLiteral("select count(*) from bd8emp")), QStringList{"0"});
    }
    // Last year's variant on an advance declaration: its establishment is listed and comes in by last
    // year's rules (a link of another dismissal cause stays out, the hours are zeroed).
    void antecipacaoAnteriorImportada()
    {
        criaTabelasDeTrabalho();
        QVariantMap e = estabelecimento(QStringLiteral("2009"), kCnpjA, "00", kVinculadoA, true, 2);
        e["InEncerramentoAtividade"] = "1";
        e["DaEncerramentoAtividade"] = "15032010";
        insereLinha("te8emp", e);
        insereLinha("te8vinc", vinculo("2009", kCnpjA, "00", pis(1), "00"));
        insereLinha("te8vinc", vinculo("2009", kCnpjA, "00", pis(2), "12"));
        escreveArquivo(2009);
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        auto assistente = CriaImportacao(nullptr, QStringLiteral("Anterior - Ano 2009"));
        assistente->show();
        assistente->inicia();
        avanca(*assistente, arquivo());
        auto *p02 = pagina<TfmImport02>(*assistente);
        QCOMPARE(atual(*assistente), p02);
        QCOMPARE(p02->LEmpresas->count(), 1);
        p02->SelecAllRButton->click();
        p02->BtConcluir->click();
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(atual(*assistente), pagina<TfmImport03>(*assistente));
        QCOMPARE(linhas(QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, InAvisoCnae, InSindicalizada from bd8emp")),
                 QStringList{"2010|" + kCnpjA + "|1|"});
        QCOMPARE(linhas(QStringLiteral("select AnBase, CoPisPasepEmpregado, HoTrabalhadasJaneiro from bd8vinc")),
                 QStringList{"2010|" + pis(1) + "|000"});
    }
};

QTEST_MAIN(tst_ufmImport)
#include "tst_ufmImport.moc"
