// The code-table pickers: entries in key order, the pick written into the record being edited, the
// tree's groups and leaves, and the search.

#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "entry/ufmSeletores.h"

#include "ProgramaTeste.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace gdvorn;

namespace {

QTreeWidgetItem *entrada(QTreeWidget *arvore, const QString &inicio)
{
    for (QTreeWidgetItemIterator it(arvore); *it; ++it)
        if ((*it)->text(0).startsWith(inicio))
            return *it;
    return nullptr;
}

void escolhe(QTreeWidget *arvore, QTreeWidgetItem *item)
{
    arvore->setCurrentItem(item);
    arvore->setFocus();
    QTest::keyClick(arvore, Qt::Key_Return);
}

QString campoVinculo(const char *campo) { return dmEntradaDados->ta8Empreg.FieldByName(QLatin1String(campo)).AsString(); }

} // namespace

class tst_ufmSeletores : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_programa = std::make_unique<test::ProgramaTeste>();
        // The pickers write into the link row that the link form keeps in insert state.
        dmEntradaDados->ta8Empreg.Open();
        dmEntradaDados->ta8Empreg.Append();
    }
    void cleanup() { m_programa.reset(); }

    void listaEmOrdemDeChave();
    void escolhaGravaOCodigoNoVinculo();
    void afastamentoEMeses();
    void deficienciaPreencheADescricao();
    void arvoreDeOcupacoes();
    void pesquisaNaArvore();
    void pesquisaDeMunicipioCriticaOTexto_data();
    void pesquisaDeMunicipioCriticaOTexto();
    void selecionaMunicipio();
    void atividadeENaturezaGravamOEstabelecimento();
    void descricoesLongasInteiras();

private:
    std::unique_ptr<test::ProgramaTeste> m_programa;
};

void tst_ufmSeletores::listaEmOrdemDeChave()
{
    test::ProgramaTeste::clearTable(QStringLiteral("tb8raca"));
    for (const char *linha : {"6|Amarela", "1|Indígena", "2|Branca"})
        test::ProgramaTeste::addRow(QStringLiteral("tb8raca"), QString::fromUtf8(linha).split(QLatin1Char('|')));
    TfmTb8Raca raca;
    QCOMPARE(raca.windowTitle(), QStringLiteral("Relação de Raça/Cor"));
    auto *arvore = raca.findChild<QTreeWidget *>(QStringLiteral("tvRaca"));
    QVERIFY(arvore);
    QCOMPARE(arvore->topLevelItemCount(), 3);
    QCOMPARE(arvore->topLevelItem(0)->text(0), QStringLiteral("1  - Indígena"));
    QCOMPARE(arvore->topLevelItem(1)->text(0), QStringLiteral("2  - Branca"));
    QCOMPARE(arvore->topLevelItem(2)->text(0), QStringLiteral("6  - Amarela"));
}

void tst_ufmSeletores::escolhaGravaOCodigoNoVinculo()
{
    {
        TfmTb8Raca raca;
        raca.show();
        // It opens with its first entry selected, so that Enter would pick at once.
        QCOMPARE(raca.arvore->currentItem(), raca.arvore->topLevelItem(0));
        QVERIFY(raca.arvore->currentItem()->isSelected());
        // Nothing selected: Enter writes nothing and the picker stays.
        raca.arvore->clearSelection();
        raca.arvore->setFocus();
        QTest::keyClick(raca.arvore, Qt::Key_Return);
        QVERIFY(raca.isVisible());
        escolhe(raca.arvore, entrada(raca.arvore, QStringLiteral("4")));
        QVERIFY(!raca.isVisible());
        QCOMPARE(raca.result(), int(QDialog::Accepted));
        // Two characters taken, the one-character field keeps the code alone.
        QCOMPARE(campoVinculo("CoTipoRaca"), QStringLiteral("4"));
    }
    {
        // The link-type picker picks on a single click.
        TfmTb8Vinc vinculo;
        vinculo.show();
        QTreeWidgetItem *item = vinculo.arvore->topLevelItem(1);
        // The row may be wider than the window (long descriptions are whole): click on its visible start.
        const QRect r = vinculo.arvore->visualItemRect(item);
        QTest::mouseClick(vinculo.arvore->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 40, r.center().y()));
        QCOMPARE(campoVinculo("CoVinculo"), item->text(0).left(2));
    }
    {
        // The nationality picker needs a double click: a single one writes nothing.
        TfmTb8Nacio nacionalidade;
        nacionalidade.show();
        QTreeWidgetItem *item = nacionalidade.arvore->topLevelItem(0);
        const QRect r = nacionalidade.arvore->visualItemRect(item);
        const QPoint p(r.left() + 40, r.center().y());
        QTest::mouseClick(nacionalidade.arvore->viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(campoVinculo("CoNacionalidade"), QString());
        QTest::mouseDClick(nacionalidade.arvore->viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(campoVinculo("CoNacionalidade"), item->text(0).left(2));
    }
}

void tst_ufmSeletores::afastamentoEMeses()
{
    {
        NumeroAfastamento = 2;
        TfmTb8Afast afastamento;
        afastamento.show();
        escolhe(afastamento.arvore, entrada(afastamento.arvore, QStringLiteral("20")));
        QCOMPARE(campoVinculo("CoMotivoSeguAfas"), QStringLiteral("20"));
        QCOMPARE(campoVinculo("CoMotivoPrimAfas"), QString());
        QCOMPARE(campoVinculo("CoMotivoTercAfas"), QString());
    }
    {
        // An out-of-range selector writes nothing and the picker stays open.
        NumeroAfastamento = 0;
        TfmTb8Afast afastamento;
        afastamento.show();
        escolhe(afastamento.arvore, entrada(afastamento.arvore, QStringLiteral("10")));
        QVERIFY(afastamento.isVisible());
        QCOMPARE(campoVinculo("CoMotivoPrimAfas"), QString());
    }
    {
        MesAdiantamento = false;
        TfmMesesAno meses;
        QCOMPARE(meses.arvore->topLevelItemCount(), 12);
        QCOMPARE(meses.arvore->topLevelItem(2)->text(0), QStringLiteral("03 - Março"));
        escolhe(meses.arvore, meses.arvore->topLevelItem(11));
        QCOMPARE(campoVinculo("Me13ParcelaFinalEmpregado"), QStringLiteral("12"));
        QCOMPARE(campoVinculo("Me13AdiantamentoEmpregado"), QString());
    }
}

void tst_ufmSeletores::deficienciaPreencheADescricao()
{
    QLineEdit descricao;
    TfmTb8Deficiente deficiencia;
    deficiencia.edTxDeficiente = &descricao;
    deficiencia.show();
    escolhe(deficiencia.arvore, entrada(deficiencia.arvore, QStringLiteral("2")));
    QCOMPARE(campoVinculo("CoDeficienteFisico"), QStringLiteral("2"));
    QCOMPARE(descricao.text(), QStringLiteral("Auditiva"));
}

void tst_ufmSeletores::arvoreDeOcupacoes()
{
    test::ProgramaTeste::clearTable(QStringLiteral("tb8cbo"));
    for (const char *linha : {"01|Membros das forças armadas", "010|Oficiais", "0101|Oficiais generais",
                              "010105|Oficial general da aeronáutica", "010110|Oficial general do exército",
                              "02|Policiais", "020|Policiais militares", "0201|Oficiais da polícia",
                              "020105|Coronel da polícia militar"})
        test::ProgramaTeste::addRow(QStringLiteral("tb8cbo"), QString::fromUtf8(linha).split(QLatin1Char('|')));
    TfmTb8CBO cbo;
    cbo.show();
    QVERIFY(QTest::qWaitForWindowActive(&cbo));
    QTreeWidget *arvore = cbo.findChild<QTreeWidget *>(QStringLiteral("tvCBO"));
    QCOMPARE(arvore->topLevelItemCount(), 2);
    QTreeWidgetItem *grupo = arvore->topLevelItem(0);
    QCOMPARE(grupo->text(0), QStringLiteral("01  - Membros das forças armadas"));
    QTreeWidgetItem *folha = grupo->child(0)->child(0)->child(1);
    QCOMPARE(folha->text(0), QStringLiteral("010110  - Oficial general do exército"));
    QCOMPARE(cbo.nivel(folha), 3);

    // A double click on a group only opens it.
    const QPoint p = arvore->visualItemRect(grupo).center();
    QTest::mouseDClick(arvore->viewport(), Qt::LeftButton, {}, p);
    QVERIFY(cbo.isVisible());
    QCOMPARE(campoVinculo("CoCbo"), QString());

    // Enter on a level-0 group opens one level and moves on to the search box.
    arvore->collapseAll();
    escolhe(arvore, arvore->topLevelItem(1));
    QVERIFY(arvore->topLevelItem(1)->isExpanded());
    QVERIFY(!arvore->topLevelItem(1)->child(0)->isExpanded());
    QCOMPARE(QApplication::focusWidget(), cbo.Edit1);

    // Found by part of its title, inside collapsed groups, which open; then picked.
    test::ScriptedPresenter caixas;
    arvore->collapseAll();
    arvore->setCurrentItem(nullptr);
    cbo.Edit1->setText(QStringLiteral("general do ex"));
    QTest::mouseClick(cbo.btnNext, Qt::LeftButton);
    QCOMPARE(arvore->currentItem(), folha);
    QVERIFY(folha->parent()->isExpanded() && grupo->isExpanded());
    QVERIFY(caixas.boxes.isEmpty());
    QTest::mouseClick(cbo.BitBtn3, Qt::LeftButton);
    QCOMPARE(campoVinculo("CoCbo"), QStringLiteral("010110"));
    QVERIFY(!cbo.isVisible());
}

void tst_ufmSeletores::pesquisaNaArvore()
{
    test::ScriptedPresenter caixas;
    TfrmT8Munic municipios;
    municipios.show();
    // The names are stored in capitals with their accents: typed without them, they are found.
    municipios.Edit1->setText(QStringLiteral("sao paulo"));
    QTest::keyClick(municipios.Edit1, Qt::Key_Return);
    QVERIFY(municipios.arvore->currentItem());
    QCOMPARE(municipios.arvore->currentItem()->text(0), QStringLiteral("1303908  - SÃO PAULO DE OLIVENÇA"));
    for (int i = 0; i < 5 && !municipios.arvore->currentItem()->text(0).endsWith(QStringLiteral("- SÃO PAULO")); ++i)
        QTest::mouseClick(municipios.btnNext, Qt::LeftButton);
    QCOMPARE(municipios.arvore->currentItem()->text(0), QStringLiteral("3550308  - SÃO PAULO"));
    QVERIFY(caixas.boxes.isEmpty());

    // Forward from the last match: the end, the selection kept, again and again; backward finds it.
    municipios.Edit1->setText(QStringLiteral("3550308"));
    QTest::mouseClick(municipios.btnNext, Qt::LeftButton);
    QTest::mouseClick(municipios.btnNext, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 2);
    QCOMPARE(caixas.boxes[1].text, QStringLiteral("Fim da Pesquisa"));
    QCOMPARE(caixas.boxes[1].kind, MessageKind::Information);
    QCOMPARE(municipios.arvore->currentItem()->text(0), QStringLiteral("3550308  - SÃO PAULO"));
    municipios.Edit1->setText(QStringLiteral("ariquemes"));
    QTest::mouseClick(municipios.btnPrev, Qt::LeftButton);
    QCOMPARE(municipios.arvore->currentItem()->text(0), QStringLiteral("1100023  - ARIQUEMES"));
    QTest::mouseClick(municipios.btnPrev, Qt::LeftButton);
    QCOMPARE(caixas.boxes.last().text, QStringLiteral("Fim da pesquisa"));

    // After Enter in the search box the tree has the focus; a new search typed there goes into the search
    // box, and Enter searches for it instead of picking the entry found before.
    municipios.Edit1->setText(QStringLiteral("cacoal"));
    municipios.Edit1->setFocus();
    QTest::keyClick(municipios.Edit1, Qt::Key_Return);
    QCOMPARE(municipios.focusWidget(), municipios.arvore);
    QTest::keyClick(municipios.arvore, Qt::Key_C);
    QCOMPARE(municipios.focusWidget(), municipios.Edit1);
    QTest::keyClicks(municipios.focusWidget(), QStringLiteral("olorado"));
    QCOMPARE(municipios.Edit1->text(), QStringLiteral("colorado"));
    QTest::keyClick(municipios.Edit1, Qt::Key_Return);
    QVERIFY(municipios.isVisible());
    QCOMPARE(municipios.arvore->currentItem()->text(0), QStringLiteral("1100064  - COLORADO DO OESTE"));
}

void tst_ufmSeletores::pesquisaDeMunicipioCriticaOTexto_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("acento") << "São" << "O campo contém caractere inválido (aspas, apóstrofo ou caractere especial).";
    QTest::newRow("dois caracteres") << "sa" << "Conteúdo insuficiente. Informe mais de dois caracteres.";
    QTest::newRow("brancos") << "   " << "Fim da Pesquisa";
}

void tst_ufmSeletores::pesquisaDeMunicipioCriticaOTexto()
{
    QFETCH(QString, texto);
    test::ScriptedPresenter caixas;
    TfrmT8Munic municipios;
    municipios.show();
    municipios.arvore->setFocus();
    municipios.Edit1->setText(texto);
    QTest::mouseClick(municipios.btnNext, Qt::LeftButton);
    QCOMPARE(caixas.boxes.size(), 1);
    QTEST(caixas.boxes[0].text, "mensagem");
    QCOMPARE(municipios.arvore->currentItem(), nullptr);
}

void tst_ufmSeletores::selecionaMunicipio()
{
    Table &estab = dmEntradaDados->ta8Empresa;
    estab.Open();
    estab.Append();
    Field campo = estab.FieldByName(QStringLiteral("CoMunicipio"));
    test::ScriptedModal janelas;
    // Closed with its close box: the field stays as it was.
    campo.setAsString(QStringLiteral("1100015"));
    janelas.then([](QDialog &d) { d.close(); });
    TfrmT8Munic::SelecionaMunicipio(campo);
    QCOMPARE(campo.AsString(), QStringLiteral("1100015"));
    // Picked: the code reaches the caller's field.
    janelas.then([](QDialog &d) {
        auto &m = static_cast<TfrmT8Munic &>(d);
        m.Edit1->setText(QStringLiteral("ariquemes"));
        m.btnNextClick();
        m.SelecionaCodigo();
    });
    TfrmT8Munic::SelecionaMunicipio(campo);
    QCOMPARE(campo.AsString(), QStringLiteral("1100023"));
    QCOMPARE(janelas.shown, QStringList({QStringLiteral("frmT8Munic"), QStringLiteral("frmT8Munic")}));
    estab.Cancel();
}

void tst_ufmSeletores::atividadeENaturezaGravamOEstabelecimento()
{
    Table &estab = dmEntradaDados->ta8Empresa;
    estab.Open();
    estab.Append();
    {
        TfmTb8Cnae cnae;
        cnae.show();
        escolhe(cnae.arvore, entrada(cnae.arvore, QStringLiteral("0111302")));
        QCOMPARE(estab.FieldByName(QStringLiteral("CoCnae2")).AsString(), QStringLiteral("0111302"));
    }
    {
        TfmTb8NatJu natureza;
        natureza.show();
        escolhe(natureza.arvore, entrada(natureza.arvore, QStringLiteral("1023")));
        QCOMPARE(estab.FieldByName(QStringLiteral("CoNaturezaJuridica")).AsString(), QStringLiteral("1023"));
    }
    estab.Cancel();
}

void tst_ufmSeletores::descricoesLongasInteiras()
{
    // Two admission types differ only at the end of their long descriptions: each entry's column holds the
    // whole text and its tool tip repeats it.
    TfmTp8adm admissao;
    admissao.show();
    QVERIFY(QTest::qWaitForWindowExposed(&admissao));
    for (const char *inicio : {"3", "4"}) {
        QTreeWidgetItem *item = entrada(admissao.arvore, QLatin1String(inicio));
        QVERIFY(item);
        QVERIFY(item->text(0).endsWith(QStringLiteral("ônus para a cedente")));
        QCOMPARE(item->toolTip(0), item->text(0));
        QVERIFY(admissao.arvore->columnWidth(0) >= admissao.arvore->fontMetrics().horizontalAdvance(item->text(0)));
    }
    // The tree pickers alike.
    TfmTb8Cnae cnae;
    QTreeWidgetItem *folha = entrada(cnae.arvore, QStringLiteral("0111302"));
    QVERIFY(folha);
    QCOMPARE(folha->toolTip(0), folha->text(0));
}

QTEST_MAIN(tst_ufmSeletores)
#include "tst_ufmSeletores.moc"
