// The print wizard driven offscreen from the main window: boxes through the scripted presenter, the
// wizard and the transmission window through the scripted modal executor, reports through the recorder.

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugFuncoes.h"
#include "entry/FormEdits.h"
#include "workflows/ufmRelatorio.h"
#include "workflows/ufmTransmite.h"

#include "FixtureConsistencia.h"
#include "FixtureTabelas.h"
#include "GravadorRelatorios.h"
#include "ProgramFixture.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kLongo = QStringLiteral("MARIA D'AVILA DOS SANTOS PEREIRA DE ALBUQUERQUE NETA");

QStringList textos(const ScriptedPresenter &p)
{
    QStringList t;
    for (const auto &b : p.boxes)
        t << b.text;
    return t;
}

TAssistenteImpressao &assistente(QDialog &d) { return static_cast<TAssistenteImpressao &>(d); }

void clica(QListWidget *lista, int linha)
{
    QListWidgetItem *item = lista->item(linha);
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
}

QList<int> marcadas(const QListWidget *lista)
{
    QList<int> r;
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->checkState() == Qt::Checked)
            r << i;
    return r;
}

// The establishment's section of a report: from its heading to its total.
QString secao(const QString &relatorio, const QString &inscricao)
{
    const int de = relatorio.indexOf(QStringLiteral("Estabelecimento ") + inscricao);
    if (de < 0)
        return QString();
    const QString rotulo = QStringLiteral("Total de vínculos do estabelecimento");
    const int total = relatorio.indexOf(rotulo, de);
    const int ate = total < 0 ? -1 : relatorio.indexOf(QLatin1Char('\n'), total);
    return relatorio.mid(de, ate < 0 ? -1 : ate - de);
}

// The count printed in a section's total line.
int totalDe(const QString &secao)
{
    const int i = secao.indexOf(QStringLiteral("Total de vínculos do estabelecimento"));
    if (i < 0)
        return -1;
    return secao.mid(i).section(QLatin1Char('\n'), 0, 0).split(QLatin1Char(' '), Qt::SkipEmptyParts).last().toInt();
}

QString salario(const char *centavos) { return TextoRemuneracao(QLatin1String(centavos)); }

} // namespace

class tst_ufmRelatorio : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureTabelas> m_tabelas;
    std::unique_ptr<ProgramFixture> m_programa;
    std::unique_ptr<QTemporaryDir> m_pasta;

    static QVariantMap vinculo(const char *inscricao, const char *prefixo, const char *pis, const QString &nome,
                               const char *uso, const char *salario, const char *vinculado = "")
    {
        return {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", inscricao}, {"NuPrefixoEstabelecimento", prefixo},
                {"CoPisPasepEmpregado", pis}, {"DaAdmissaoEmpregado", "01022006"}, {"NoEmpregado", nome},
                {"TxUsoEmpregado", uso}, {"VaSalContratualEmpregado", salario}, {"CoCgcVinculado", vinculado},
                {"InInscrEstabelecimento", "1"}, {"CoCbo", "521110"}};
    }

    // Three establishments of 2010 (ALFA with three links, BETA without links, GAMA with a blank prefix and
    // two links of PIS/PASEP 00000000000 whose names share their first 30 characters), in `tabela`'s
    // family ("bd8" or "te8").
    void declaracao(const QString &familia)
    {
        auto emp = [&](const char *inscricao, const char *prefixo, const char *razao, const char *semVinculos,
                       const char *vinculado) {
            QVariantMap e = estabelecimentoValido();
            e["CoCgcCeiEstabelecimento"] = inscricao;
            e["NuPrefixoEstabelecimento"] = prefixo;
            e["NoRazaoEstabelecimento"] = razao;
            e["InVornNegEstabelecimento"] = semVinculos;
            e["CoCgcVinculado"] = vinculado;
            m_tabelas->insere(familia + QStringLiteral("emp"), e);
        };
        emp("11222333000181", "01", "ALFA", "0", "111111111111");
        emp("44555666000172", "00", "BETA", "1", "");
        emp("77888999000155", "", "GAMA", "0", "");
        const QString v = familia + QStringLiteral("vinc");
        m_tabelas->insere(v, vinculo("11222333000181", "01", "12345678901", "ANA", "C", "000100000"));
        m_tabelas->insere(v, vinculo("11222333000181", "01", "12345678902", "BRUNO", "A", "000200000", "987654321012"));
        m_tabelas->insere(v, vinculo("11222333000181", "01", "12345678900", "DIANA", "B", "000300000"));
        m_tabelas->insere(v, vinculo("77888999000155", "", "00000000000", kLongo, "G", "000123456"));
        m_tabelas->insere(v, vinculo("77888999000155", "", "00000000000", kLongo.left(30) + QStringLiteral("OUTRA"), "H",
                                     "000999999"));
        m_tabelas->insere(v, vinculo("77888999000155", "", "12345678903", "CARLOS", "I", "000400000"));
    }

    // Runs `comando` of the main window; `naSelecao` drives the selection page of the wizard that opens.
    void imprime(const char *comando, int ordem, bool completo, const std::function<void(TfmRelatorio01 &)> &naSelecao)
    {
        ScriptedModal modal;
        modal.then([&](QDialog &d) {
            TAssistenteImpressao &a = assistente(d);
            QCOMPARE(a.PaginaAtual(), a.Tipo);
            QVERIFY(!a.Tipo->bbVoltar->isVisible());
            (completo ? a.Tipo->rbRelatorioComp : a.Tipo->rbRelatorioResum)->setChecked(true);
            a.Tipo->bbAvancar->click();
            QCOMPARE(a.PaginaAtual(), a.Ordem);
            a.Ordem->rgOrdemRelat->botoes().at(ordem)->setChecked(true);
            a.Ordem->bbAvancar->click();
            QCOMPARE(a.PaginaAtual(), a.Selecao);
            naSelecao(*a.Selecao);
        });
        fmGDVORN->findChild<QAction *>(QLatin1String(comando))->trigger();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("fmImpressao")});
    }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<FixtureTabelas>();
        preencheTabelasValidas(*m_tabelas);
        m_tabelas->insere(QStringLiteral("bd8resp"), responsavelValido());
        m_pasta = std::make_unique<QTemporaryDir>();
        qputenv("GDVORN_RAIZ", m_pasta->path().toLocal8Bit());
        qunsetenv("GDVORN_UNIDADE_A");
        m_programa = std::make_unique<ProgramFixture>(*m_tabelas);
        QDir(m_programa->folder()).mkpath(QStringLiteral("Transmite"));
        m_programa->create(dmRaveRelatorios);
        RegistraRelatorios(*dmRaveRelatorios);
        RegistraImpressao();
        m_programa->create(fmGDVORN);
        Configuracao().IdTransmissao.clear();
        Configuracao().ProtocoloPeloAssistente = 0;
        Configuracao().ModoImprimeProtocolo = false;
    }
    void cleanup()
    {
        m_programa.reset();
        m_tabelas.reset();
        m_pasta.reset();
    }

    // The tool button is enabled once its window is registered, with or without a declaration; the menu's
    // "Declaração" only with one.
    void comandos()
    {
        auto *botao = fmGDVORN->findChild<QToolButton *>(QStringLiteral("sbRelatorio"));
        auto *menu = fmGDVORN->findChild<QAction *>(QStringLiteral("Declarao1"));
        fmGDVORN->ControlaBotoes();
        QVERIFY(botao->isEnabled());
        QVERIFY(!menu->isEnabled());
        declaracao(QStringLiteral("bd8"));
        fmGDVORN->ControlaBotoes();
        QVERIFY(botao->isEnabled());
        QVERIFY(menu->isEnabled());
    }

    // "Total" over the three establishments: each printed once, BETA with its data, no link line and a
    // total of 0; the link's own linked CEI, not the establishment's.
    void total()
    {
        declaracao(QStringLiteral("bd8"));
        fmGDVORN->ControlaBotoes();
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        imprime("Declarao1", 0, true, [](TfmRelatorio01 &s) {
            QCOMPARE(s.clbEmpresas->count(), 3);
            QCOMPARE(s.clbEmpresas->item(0)->text(), QStringLiteral("11.222.333/0001-81    01    ALFA"));
            QCOMPARE(s.clbEmpresas->item(2)->text().mid(22, 2), QStringLiteral("  "));
            QCOMPARE(s.clbEmpresas->item(2)->data(Qt::UserRole).toStringList(),
                     (QStringList{"2010", "77888999000155", ""}));
            QVERIFY(s.rbImprimTotal->isChecked());
            for (int i = 0; i < 3; ++i)
                clica(s.clbEmpresas, i);
            s.bbVisualizar->click();
            QVERIFY(s.bbVisualizar->isEnabled());
        });
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(relatorios.relatorios.size(), 1);
        QCOMPARE(relatorios.relatorios.first().nome, QStringLiteral("RelatorioCompleto"));
        const QString r = relatorios.relatorios.first().paginas.join(QLatin1Char('\n'));
        QVERIFY(r.contains(QStringLiteral("Relatório Completo do Estabelecimento")));
        const QString alfa = secao(r, FormataInscricao(QStringLiteral("11222333000181"), QStringLiteral("1")));
        const QString beta = secao(r, FormataInscricao(QStringLiteral("44555666000172"), QStringLiteral("1")));
        const QString gama = secao(r, FormataInscricao(QStringLiteral("77888999000155"), QStringLiteral("1")));
        QCOMPARE(totalDe(alfa), 3);
        QCOMPARE(totalDe(beta), 0);
        QCOMPARE(totalDe(gama), 3);
        QVERIFY(beta.contains(QStringLiteral("BETA")));
        QVERIFY(!beta.contains(QStringLiteral("Vínculo ")));
        QCOMPARE(r.count(QStringLiteral("Total de vínculos do estabelecimento")), 3);
        // BRUNO's own linked CEI in his link; the establishment's in the establishment's data.
        const QString bruno = alfa.mid(alfa.indexOf(QStringLiteral("Vínculo 3")));
        const QString seu = TextoCampo(QStringLiteral("CoCgcVinculado"), QStringLiteral("987654321012"), QStringLiteral("1"), 2010, QString());
        const QString doEstab = TextoCampo(QStringLiteral("CoCgcVinculado"), QStringLiteral("111111111111"), QStringLiteral("1"), 2010, QString());
        QVERIFY2(bruno.contains(QStringLiteral("Matrícula CEI vinculada a uma inscrição CNPJ: ") + seu), qPrintable(bruno));
        QVERIFY(!bruno.contains(doEstab));
        QVERIFY(alfa.left(alfa.indexOf(QStringLiteral("Vínculo 1"))).contains(QStringLiteral("Matrícula CEI vinculada a uma inscrição CNPJ: ") + doEstab));
    }

    // "Parcial" on GAMA with two ticked links, one of PIS/PASEP 00000000000 and a 52-character name with an
    // apostrophe: exactly those two, in every order; the lines are the order's.
    void parcial_data()
    {
        QTest::addColumn<int>("ordem");
        QTest::addColumn<QString>("primeira");
        QTest::newRow("PIS/PASEP") << 0 << "000.00000.00.0  01/02/2006  " + kLongo.left(30) + "  G";
        QTest::newRow("nome") << 1 << kLongo.left(30) + "  000.00000.00.0  01/02/2006  G";
        QTest::newRow("uso da empresa") << 2 << "G              000.00000.00.0  01/02/2006  " + kLongo;
    }
    void parcial()
    {
        QFETCH(int, ordem);
        QFETCH(QString, primeira);
        declaracao(QStringLiteral("bd8"));
        fmGDVORN->ControlaBotoes();
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        imprime("Declarao1", ordem, false, [&](TfmRelatorio01 &s) {
            clica(s.clbEmpresas, 2);
            s.rbImprimParcial->click();
            QCOMPARE(marcadas(s.clbEmpresas), QList<int>{2});
            QCOMPARE(s.clbEmpregados->count(), 3);
            QVERIFY(s.clbEmpregados->hasFocus());
            int longo = -1, carlos = -1;
            for (int i = 0; i < 3; ++i) {
                const QStringList chave = s.clbEmpregados->item(i)->data(Qt::UserRole).toStringList();
                QCOMPARE(chave.size(), 11);
                if (chave.at(5) == kLongo)
                    longo = i;
                if (chave.at(5) == QLatin1String("CARLOS"))
                    carlos = i;
            }
            QVERIFY(longo >= 0 && carlos >= 0);
            QCOMPARE(s.clbEmpregados->item(longo)->text(), primeira);
            clica(s.clbEmpregados, longo);
            clica(s.clbEmpregados, carlos);
            s.bbVisualizar->click();
        });
        QCOMPARE(textos(caixas), QStringList());
        QCOMPARE(relatorios.relatorios.size(), 1);
        const RelatorioGravado &g = relatorios.relatorios.first();
        QCOMPARE(g.nome, QStringLiteral("RelatorioResumido"));
        const QString r = g.paginas.join(QLatin1Char('\n'));
        QCOMPARE(r.count(QStringLiteral("Total de vínculos do estabelecimento")), 1);
        const QString gama = secao(r, FormataInscricao(QStringLiteral("77888999000155"), QStringLiteral("1")));
        QCOMPARE(totalDe(gama), 2);
        QVERIFY(gama.contains(salario("000123456")));
        QVERIFY(gama.contains(salario("000400000")));
        QVERIFY(!gama.contains(salario("000999999")));
    }

    // "Total" on ALFA in each order: the links in that order.
    void ordem_data()
    {
        QTest::addColumn<int>("ordem");
        QTest::addColumn<QString>("classificacao");
        QTest::addColumn<QStringList>("pis");
        QTest::newRow("PIS/PASEP") << 0 << "código PIS/PASEP" << QStringList{"12345678900", "12345678901", "12345678902"};
        QTest::newRow("nome") << 1 << "Nome do empregado" << QStringList{"12345678901", "12345678902", "12345678900"};
        QTest::newRow("uso da empresa") << 2 << "Para uso da empresa" << QStringList{"12345678902", "12345678900", "12345678901"};
    }
    void ordem()
    {
        QFETCH(int, ordem);
        QFETCH(QString, classificacao);
        QFETCH(QStringList, pis);
        declaracao(QStringLiteral("bd8"));
        fmGDVORN->ControlaBotoes();
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        imprime("Declarao1", ordem, false, [&](TfmRelatorio01 &s) {
            QCOMPARE(s.OrdemRelatorio, classificacao);
            clica(s.clbEmpresas, 0);
            s.bbVisualizar->click();
        });
        QCOMPARE(relatorios.relatorios.size(), 1);
        const QString r = relatorios.relatorios.first().paginas.join(QLatin1Char('\n'));
        QVERIFY(r.contains(QStringLiteral("Classificado por ") + classificacao));
        QList<int> posicoes;
        for (const QString &p : pis)
            posicoes << r.indexOf(FormataPisPasep(p));
        QVERIFY(!posicoes.contains(-1));
        QVERIFY2(std::is_sorted(posicoes.begin(), posicoes.end()), qPrintable(r));
    }

    // No responsible row: the declaration still prints, without a printer the warning and a preview
    // that cannot print.
    void semResponsavel()
    {
        declaracao(QStringLiteral("bd8"));
        m_tabelas->esvazia(QStringLiteral("bd8resp"));
        fmGDVORN->ControlaBotoes();
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        relatorios.impressora = false;
        imprime("Declarao1", 0, true, [](TfmRelatorio01 &s) {
            clica(s.clbEmpresas, 1);
            s.bbVisualizar->click();
        });
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Não é possível imprimir: não há impressoras instaladas.")});
        QCOMPARE(relatorios.relatorios.size(), 1);
        QVERIFY(!relatorios.relatorios.first().imprimeDaVisualizacao);
        const QString r = relatorios.relatorios.first().paginas.join(QLatin1Char('\n'));
        QCOMPARE(totalDe(secao(r, FormataInscricao(QStringLiteral("44555666000172"), QStringLiteral("1")))), 0);
    }

    // The selection page's rules: Parcial with two ticked establishments; ticking another in Parcial; a
    // click that unticks still lists; Enter; both missing-selection boxes; Marcar todos and Limpar.
    void selecao()
    {
        declaracao(QStringLiteral("bd8"));
        fmGDVORN->ControlaBotoes();
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        imprime("Declarao1", 0, false, [&](TfmRelatorio01 &s) {
            s.bbVisualizar->click();
            QCOMPARE(textos(caixas).value(0), QStringLiteral("É necessário selecionar uma empresa antes de imprimir"));
            clica(s.clbEmpresas, 0);
            clica(s.clbEmpresas, 1);
            s.rbImprimParcial->click();
            QCOMPARE(textos(caixas).value(1), QStringLiteral("Não pode imprimir mais de um estabelecimento parcial por vez."));
            QVERIFY(s.rbImprimTotal->isChecked());
            QCOMPARE(s.clbEmpregados->count(), 0);

            clica(s.clbEmpresas, 1); // BETA unticked: ALFA alone
            s.rbImprimParcial->click();
            QCOMPARE(marcadas(s.clbEmpresas), QList<int>{0});
            QCOMPARE(s.clbEmpregados->count(), 3);
            s.bbVisualizar->click();
            QCOMPARE(textos(caixas).value(2), QStringLiteral("É necessário selecionar um empregado antes de imprimir"));

            clica(s.clbEmpresas, 2); // GAMA ticked: ALFA unticked, GAMA's links listed
            QCOMPARE(marcadas(s.clbEmpresas), QList<int>{2});
            QCOMPARE(s.clbEmpregados->item(0)->data(Qt::UserRole).toStringList().value(1), QStringLiteral("77888999000155"));
            clica(s.clbEmpresas, 2); // unticked, still listed
            QCOMPARE(marcadas(s.clbEmpresas), QList<int>());
            QCOMPARE(s.clbEmpregados->count(), 3);
            QCOMPARE(s.EstabelecimentoClicado, (QStringList{"2010", "77888999000155", ""}));

            s.clbEmpresas->setCurrentRow(0);
            s.clbEmpresas->setFocus();
            QTest::keyClick(s.clbEmpresas, Qt::Key_Return);
            QCOMPARE(marcadas(s.clbEmpresas), QList<int>{0});
            QCOMPARE(s.clbEmpregados->item(0)->data(Qt::UserRole).toStringList().value(1), QStringLiteral("11222333000181"));

            s.rbSelecaoTodos->click();
            QCOMPARE(marcadas(s.clbEmpregados), (QList<int>{0, 1, 2}));
            s.rbSelecaoLimpar->click();
            QCOMPARE(marcadas(s.clbEmpregados), QList<int>());
            s.rbImprimTotal->click();
            QCOMPARE(s.clbEmpregados->count(), 0);
        });
        QCOMPARE(textos(caixas).size(), 3);
        QCOMPARE(relatorios.relatorios.size(), 0);
    }

    // An establishment of 50,001 links lists 50,000 and warns.
    void muitosVinculos()
    {
        declaracao(QStringLiteral("bd8"));
        {
            Transaction t;
            execSql(QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 50001) "
                "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
                "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado, InInscrEstabelecimento, "
                "DaDesligamentoEmpregado, CoCbo) SELECT '2010', '44555666000172', '00', printf('%011d', x), '01012005', "
                "'EMPREGADO ' || x, '', '', '1', '', '521110' FROM n"));
            t.commit();
        }
        fmGDVORN->ControlaBotoes();
        ScriptedPresenter caixas;
        imprime("Declarao1", 1, false, [&](TfmRelatorio01 &s) {
            clica(s.clbEmpresas, 1);
            s.rbImprimParcial->click();
            QCOMPARE(s.clbEmpregados->count(), TfmRelatorio01::MaximoEmpregados);
        });
        QCOMPARE(textos(caixas), QStringList{QStringLiteral("Pode ocorrer problemas na visualização dos dados na tela,\n"
                                                            "devido a quantidade de empregados cadastrados.")});
    }

    // The tool button's choice page: without a declaration only the protocol, which ends the wizard and
    // opens the transmission window in print mode; the browser opened from there reuses the wizard behind it,
    // over the work tables.
    void escolhaProtocolo()
    {
        fmGDVORN->ControlaBotoes();
        QCOMPARE(Configuracao().SemDeclaracao, 1);
        criaTabelasTrabalho();
        declaracao(QStringLiteral("te8"));
        ScriptedPresenter caixas;
        GravadorRelatorios relatorios;
        ScriptedModal modal;
        QDialog *primeiro = nullptr;
        modal.then([&](QDialog &d) {
            primeiro = &d;
            TAssistenteImpressao &a = assistente(d);
            QCOMPARE(a.PaginaAtual(), a.Escolha);
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente de Impressão"));
            QVERIFY(!a.Escolha->rbDeclaracao->isEnabled());
            QVERIFY(!a.Escolha->rbDeclaracao->isChecked());
            QVERIFY(a.Escolha->rbProtocolo->isChecked());
            QVERIFY(!a.Escolha->bbVoltar->isEnabled());
            QVERIFY(a.Escolha->bbAvancar->hasFocus());
            a.Escolha->bbAvancar->click();
            QVERIFY(!d.isVisible());
        });
        modal.then([&](QDialog &d) {
            auto &t = static_cast<TfmTransmite &>(d);
            QCOMPARE(d.windowTitle(), QStringLiteral("Imprimir Protocolo de Transmissão"));
            QVERIFY(t.ModoImpressao());
            QVERIFY(t.btnImprime->isVisible());
            QVERIFY(!t.btnTransmite->isVisible());
            QVERIFY(Configuracao().ModoImprimeProtocolo);
            QCOMPARE(Configuracao().ProtocoloPeloAssistente, 1);
            ImprimeArquivoConsultado(&d); // as the browser does
        });
        modal.then([&](QDialog &d) {
            QCOMPARE(&d, primeiro);
            TAssistenteImpressao &a = assistente(d);
            QCOMPARE(a.PaginaAtual(), a.Tipo);
            QVERIFY(!a.Tipo->bbVoltar->isVisible());
            QCOMPARE(a.Tipo->lblAno->text(), QStringLiteral("Ano-Base da declaração 2010"));
            a.Tipo->bbAvancar->click();
            a.Ordem->bbAvancar->click();
            QCOMPARE(a.Selecao->TabelaEmpresa, QStringLiteral("Te8Emp"));
            QCOMPARE(a.Selecao->clbEmpresas->count(), 3);
            clica(a.Selecao->clbEmpresas, 0);
            a.Selecao->bbVisualizar->click();
            a.Selecao->bbCancelar->click();
            QCOMPARE(Configuracao().ProtocoloPeloAssistente, 0);
            QCOMPARE(Configuracao().IdTransmissao, QStringLiteral(" "));
        });
        fmGDVORN->findChild<QToolButton *>(QStringLiteral("sbRelatorio"))->click();
        QCOMPARE(modal.shown, (QStringList{"fmImpressao", "fmTransmite", "fmImpressao"}));
        QCOMPARE(relatorios.relatorios.size(), 1);
        QCOMPARE(totalDe(secao(relatorios.relatorios.first().paginas.join(QLatin1Char('\n')),
                               FormataInscricao(QStringLiteral("11222333000181"), QStringLiteral("1")))),
                 3);
        QVERIFY(!Configuracao().ModoImprimeProtocolo);
    }

    // Without a wizard behind it the browser's report runs one of its own; back from the order page and
    // the choice page's declaration path.
    void proprioEVoltar()
    {
        declaracao(QStringLiteral("bd8"));
        fmGDVORN->ControlaBotoes();
        QCOMPARE(Configuracao().SemDeclaracao, 0);
        ScriptedPresenter caixas;
        ScriptedModal modal;
        QDialog *outro = nullptr;
        modal.then([&](QDialog &d) {
            TAssistenteImpressao &a = assistente(d);
            QVERIFY(a.Escolha->rbDeclaracao->isEnabled());
            QVERIFY(a.Escolha->rbDeclaracao->isChecked());
            a.Escolha->bbAvancar->click();
            QCOMPARE(a.PaginaAtual(), a.Tipo);
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Imprimir Declaração"));
            QVERIFY(a.Tipo->bbVoltar->isVisible());
            a.Tipo->bbAvancar->click();
            Configuracao().ProtocoloPeloAssistente = 1;
            a.Ordem->bbVoltar->click();
            QCOMPARE(Configuracao().ProtocoloPeloAssistente, 0);
            QCOMPARE(a.PaginaAtual(), a.Tipo);
            a.Tipo->bbVoltar->click();
            QCOMPARE(a.PaginaAtual(), a.Escolha);
            a.Escolha->bbCancelar->click();
            QCOMPARE(Configuracao().IdTransmissao, QString());
            ImprimeArquivoConsultado(&d);
            QVERIFY(outro && outro != &d);
        });
        modal.then([&](QDialog &d) {
            outro = &d;
            TAssistenteImpressao &a = assistente(d);
            QCOMPARE(a.PaginaAtual(), a.Tipo);
            QVERIFY(!a.Tipo->bbVoltar->isVisible());
            a.Tipo->bbCancelar->click();
            QCOMPARE(Configuracao().IdTransmissao, QStringLiteral(" "));
        });
        fmGDVORN->findChild<QToolButton *>(QStringLiteral("sbRelatorio"))->click();
        QCOMPARE(modal.shown, (QStringList{"fmImpressao", "fmImpressao"}));
    }
};

QTEST_MAIN(tst_ufmRelatorio)
#include "tst_ufmRelatorio.moc"
