// Saving and deleting a link through the link form, offscreen: a new link typed tab by tab and stored with
// the establishment's counts, opened again and deleted; the checks only the save runs; the cross-link
// checks; and the faults of posting (a refused key keeps the form, a failed count undoes the link).

#include "BancadaDadosEmpreg.h"

#include "app/base/Database.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const char *const kMeses[12] = {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho",
                                "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};

void executa(const QString &sql)
{
    QSqlQuery q(database());
    if (!q.exec(sql))
        qFatal("%s", qPrintable(q.lastError().text()));
}

// Months from `de` (1-12) on without pay and hours.
QVariantMap semPagamentoDesde(int de, QVariantMap m = {})
{
    for (int i = de - 1; i < 12; ++i) {
        m.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(kMeses[i])), QStringLiteral("000000000"));
        const QString horas = QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(kMeses[i]));
        if (!m.contains(horas))
            m.insert(horas, QStringLiteral("000"));
    }
    return m;
}

void clicaOk(BancadaDadosEmpreg &b) { QTest::mouseClick(b.w<QPushButton>("BtOk"), Qt::LeftButton); }

} // namespace

class tst_ufmDadosEmpregGrava : public QObject {
    Q_OBJECT

private slots:
    void vinculoDoComecoAoFim()
    {
        BancadaDadosEmpreg b;
        insereLinha(QStringLiteral("bd8emp"), estabelecimentoDeTeste({{"NuVinculosEstabelecimento", "000000"}}));
        // The establishment form hands a new link over: no PIS in the context.
        b.mostra(QString());
        QCOMPARE(b.foco(), QStringLiteral("dePisPasep"));

        b.digitaESai("dePisPasep", kPisBancada);
        b.digitaESai("deNomeEmpregado", QStringLiteral("MARIA DA SILVA"));
        b.digitaESai("deNascimento", QStringLiteral("20071985"));
        b.digitaESai("deRaca", QStringLiteral("2"));
        QCOMPARE(b.foco(), QStringLiteral("dgDeficienciaSim"));
        b.w("dgDeficienciaNao")->setFocus();
        QTest::keyClick(b.w("dgDeficienciaNao"), Qt::Key_Space);
        QTest::keyClick(b.w("dgDeficienciaNao"), Qt::Key_Tab);
        QCOMPARE(b.foco(), QStringLiteral("cbSexo"));
        b.w<QComboBox>("cbSexo")->setCurrentIndex(1);
        QTest::keyClick(b.w("cbSexo"), Qt::Key_Tab);
        b.digitaESai("deNacionalidade", QStringLiteral("10"));
        QCOMPARE(b.foco(), QStringLiteral("deInstrucao"));
        b.digitaESai("deInstrucao", QStringLiteral("07"));
        QCOMPARE(b.foco(), QStringLiteral("deCarteiraTrab"));
        b.digitaESai("deCarteiraTrab", QStringLiteral("12345678"));
        b.digitaESai("deCarteiraTrabSerie", QStringLiteral("12345"));
        b.digitaESai("deCPF", QString());
        b.digitaESai("deUsoEmpregado", QString());
        QCOMPARE(b.foco(), QStringLiteral("deAdmissao"));
        QVERIFY2(b.presenter->boxes.isEmpty(), qPrintable(b.textos().join(QLatin1Char('|'))));

        b.digitaESai("deAdmissao", QStringLiteral("01022005"));
        b.digitaESai("deTipoAdmissao", QStringLiteral("2"));
        b.digitaESai("edSalario", QStringLiteral("1500"));
        b.digitaESai("deHoras", QStringLiteral("44"));
        b.digitaESai("deTipoSalContratual", QStringLiteral("1"));
        b.digitaESai("deCBO", QStringLiteral("411010"));
        QCOMPARE(b.foco(), QStringLiteral("deVinculo"));
        // A link type that needs no CPF.
        b.digitaESai("deVinculo", QStringLiteral("20"));
        b.digitaESai("deCodDeslig", QString());
        QCOMPARE(b.foco(), QStringLiteral("deMunicipioTrabalho"));
        b.digitaESai("deMunicipioTrabalho", QStringLiteral("3550308"));
        QCOMPARE(b.foco(), QStringLiteral("dePrimCod"));
        QVERIFY2(b.presenter->boxes.isEmpty(), qPrintable(b.textos().join(QLatin1Char('|'))));

        b.digitaESai("deAfastQtDias", QString());
        QCOMPARE(b.foco(), QStringLiteral("deCNPJSindical"));
        b.digitaESai("deCNPJSindical", QStringLiteral("33222111000100"));
        b.digitaESai("deValorSindical", QStringLiteral("15,00"));
        QCOMPARE(b.foco(), QStringLiteral("dbrSindicalizadoSim"));
        b.w("dbrSindicalizadoNao")->setFocus();
        QTest::keyClick(b.w("dbrSindicalizadoNao"), Qt::Key_Space);
        QTest::keyClick(b.w("dbrSindicalizadoNao"), Qt::Key_Tab);
        QCOMPARE(b.foco(), QStringLiteral("deCNPJAssistencial"));
        b.digitaESai("deValorConfederativa", QString());
        QCOMPARE(b.foco(), QStringLiteral("edJaneiro"));
        for (const char *mes : kMeses) {
            b.digitaESai(QByteArray("ed") + mes, QStringLiteral("1500"));
            b.digitaESai(QByteArray("deHoras") + mes, QString());
        }
        b.digitaESai("deMesAdiantamento", QStringLiteral("11"));
        b.digitaESai("edAdiantamento", QStringLiteral("750"));
        b.digitaESai("deMesParcelaFinal", QStringLiteral("12"));
        b.digitaESai("edParcelaFinal", QStringLiteral("750"));
        QVERIFY2(b.presenter->boxes.isEmpty(), qPrintable(b.textos().join(QLatin1Char('|'))));

        clicaOk(b);
        QVERIFY2(b.presenter->boxes.isEmpty(), qPrintable(b.textos().join(QLatin1Char('|'))));
        QVERIFY(!b.form->isVisible());
        QVERIFY(!b.form->SemVinculos);
        QCOMPARE(campoEstabelecimento(QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000001"));
        QCOMPARE(campoEstabelecimento(QStringLiteral("NuEstrangeirosEstabelec")), QStringLiteral("00000"));
        const QVariantMap esperado{{"NoEmpregado", "MARIA DA SILVA"},
                                   {"InSexo", "2"},
                                   {"InDeficienteFisico", "2"},
                                   {"CoDeficienteFisico", "0"},
                                   {"CoCpfEmpregado", "00000000000"},
                                   {"DaDesligamentoEmpregado", "0000"},
                                   {"CoCausaDesligamento", "00"},
                                   {"VaSalContratualEmpregado", "000150000"},
                                   {"VaJaneiroEmpregado", "000150000"},
                                   {"Va13ParcelaFinalEmpregado", "000075000"},
                                   {"VaAvisoPrevioEmpregado", "000000000"},
                                   {"VaGlobalSindical", "00001500"},
                                   {"VaGlobalFerias", "00000000"},
                                   {"HoTrabalhadasMarco", "000"},
                                   {"QtDiasAfas", "000"},
                                   {"InSindicalizadoVinculo", "2"},
                                   {"CoMunicipioTrabalho", "3550308"},
                                   {"SgUfTrabalho", "SP"},
                                   {"AnBase", "2010"},
                                   {"CoCgcVinculado", "00000000000000"}};
        for (auto it = esperado.begin(); it != esperado.end(); ++it)
            QCOMPARE(campoGravado(kPisBancada, it.key()), it.value().toString());

        // Opened again as the employee list will open it: the same values.
        QVariantMap chave;
        for (const char *c : {"DaAdmissaoEmpregado", "NoEmpregado", "DaDesligamentoEmpregado", "CoCbo"})
            chave.insert(QLatin1String(c), campoGravado(kPisBancada, QLatin1String(c)));
        b.mostra(kPisBancada, chave);
        QCOMPARE(b.foco(), QStringLiteral("deNomeEmpregado"));
        QCOMPARE(b.ed("deNomeEmpregado")->text(), QStringLiteral("MARIA DA SILVA"));
        QCOMPARE(b.ed("edSalario")->text().trimmed(), QStringLiteral("1.500,00"));
        QCOMPARE(b.ed("deValorSindical")->text().trimmed(), QStringLiteral("15,00"));
        QCOMPARE(b.ed("deNomeMunicipioTrabalho")->text(), QStringLiteral("SÃO PAULO"));
        QCOMPARE(b.w<QComboBox>("cbSexo")->currentIndex(), 1);
        QVERIFY(b.w<QPushButton>("BtExcluir")->isEnabled());

        // Excluir: No keeps it, Yes deletes the only link.
        b.presenter->answer(MessageButton::No);
        QTest::mouseClick(b.w<QPushButton>("BtExcluir"), Qt::LeftButton);
        QCOMPARE(b.presenter->boxes.last().text, QStringLiteral("Deseja excluir o vínculo?"));
        QCOMPARE(b.foco(), QStringLiteral("deNomeEmpregado"));
        QVERIFY(b.form->isVisible());
        b.presenter->answer(MessageButton::Yes);
        QTest::mouseClick(b.w<QPushButton>("BtExcluir"), Qt::LeftButton);
        QVERIFY(!b.form->isVisible());
        QCOMPARE(vinculosGravados(), 0);
        QCOMPARE(campoEstabelecimento(QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000000"));
        QVERIFY(b.form->SemVinculos);
    }

    void armazenadoSemMudancaGrava()
    {
        BancadaDadosEmpreg b;
        b.abre();
        clicaOk(b);
        QVERIFY2(b.presenter->boxes.isEmpty(), qPrintable(b.textos().join(QLatin1Char('|'))));
        QVERIFY(!b.form->isVisible());
        QCOMPARE(vinculosGravados(), 1);
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("VaDezembroEmpregado")), QStringLiteral("000100000"));
        QCOMPARE(campoEstabelecimento(QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000001"));
    }

    void soOSalvamentoRecusa_data()
    {
        QTest::addColumn<QVariantMap>("mudancas");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("aba");
        QTest::addColumn<QString>("focoFinal");
        QTest::newRow("a leave's start left backwards")
            << QVariantMap{{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "3102"}, {"DaFinalPrimeiroAfas", "1503"},
                           {"QtDiasAfas", "010"}}
            << "3630" << "tAfastamento" << "dePrimInicio";
        QTest::newRow("hours left towards the tab bar")
            << QVariantMap{{"HoTrabalhadasJaneiro", "1a"}} << "0030" << "tRemuneracoes" << "deHorasJaneiro";
        QTest::newRow("hours in a month without pay")
            << semPagamentoDesde(12, {{"HoTrabalhadasDezembro", "010"}}) << "3677" << "tRemuneracoes"
            << "deHorasDezembro";
        QTest::newRow("not a member, with an association")
            << QVariantMap{{"CoCNPJPrimAssociativa", "33222111000100"}} << "3757" << "tSindicais"
            << "deCNPJPrimeiroAssociativa";
        QTest::newRow("part of a work-place code")
            << QVariantMap{{"CoMunicipioTrabalho", "355"}} << "0040" << "tVinculo" << "deMunicipioTrabalho";
    }
    void soOSalvamentoRecusa()
    {
        QFETCH(QVariantMap, mudancas);
        QFETCH(QString, codigo);
        QFETCH(QString, aba);
        QFETCH(QString, focoFinal);
        BancadaDadosEmpreg b;
        b.abre(true, mudancas);
        clicaOk(b);
        QCOMPARE(b.textos(), QStringList{textoDaMensagem(codigo)});
        QCOMPARE(b.aba(), aba);
        QCOMPARE(b.foco(), focoFinal);
        QVERIFY(b.form->isVisible());
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("DaInicioprimeiroAfas")),
                 b.gravado.value(QStringLiteral("DaInicioprimeiroAfas")).toString());
    }

    void decimoTerceiroAltoAvisaEGrava()
    {
        BancadaDadosEmpreg b;
        b.abre(true, semPagamentoDesde(7, {{"Va13AdiantamentoEmpregado", "000080000"},
                                           {"Va13ParcelaFinalEmpregado", "000080000"}}));
        clicaOk(b);
        QCOMPARE(b.textos(), QStringList{textoDaMensagem(QStringLiteral("3508"))});
        QVERIFY(!b.form->isVisible());
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("Va13ParcelaFinalEmpregado")), QStringLiteral("000080000"));
    }

    void semPagamentoNoAno()
    {
        BancadaDadosEmpreg b;
        b.abre(true, semPagamentoDesde(1, {{"Va13AdiantamentoEmpregado", "000000000"},
                                           {"Va13ParcelaFinalEmpregado", "000000000"},
                                           {"Me13AdiantamentoEmpregado", "00"},
                                           {"Me13ParcelaFinalEmpregado", "00"}}));
        b.ed("edMarco")->setText(QStringLiteral("0,00"));
        clicaOk(b);
        QCOMPARE(b.textos(), QStringList{textoDaMensagem(QStringLiteral("1674"))});
        QCOMPARE(b.aba(), QStringLiteral("tRemuneracoes"));
        QCOMPARE(b.foco(), QStringLiteral("edJaneiro"));
        QCOMPARE(b.ed("edFevereiro")->text().trimmed(), QStringLiteral("0,00"));
        QVERIFY(b.form->isVisible());
    }

    void mesDoDesligamentoAcimaDaProporcao()
    {
        // Dismissed on 10 May with notice pay; May paid in full.
        BancadaDadosEmpreg b;
        b.abre(true, semPagamentoDesde(6, {{"CoCausaDesligamento", "11"},
                                           {"DaDesligamentoEmpregado", "1005"},
                                           {"VaAvisoPrevioEmpregado", "000050000"},
                                           {"Me13AdiantamentoEmpregado", "04"},
                                           {"Me13ParcelaFinalEmpregado", "05"}}));
        b.presenter->answer(MessageButton::No);
        clicaOk(b);
        QCOMPARE(b.textos(), QStringList{textoDaMensagem(QStringLiteral("3776"))});
        QCOMPARE(b.foco(), QStringLiteral("edMaio"));
        QVERIFY(!b.form->TrocaAbaPermitida);
        // Every amount is shown as before, so the repeated save stores the same notice pay.
        QCOMPARE(b.ed("edAvisoPrevio")->text().trimmed(), QStringLiteral("500,00"));
        QCOMPARE(b.ed("edAbril")->text().trimmed(), QStringLiteral("1.000,00"));
        QCOMPARE(b.ed("edMaio")->text().trimmed(), QStringLiteral("1000,00")); // edited without separators
        b.presenter->answer(MessageButton::Yes);
        clicaOk(b);
        QVERIFY(b.mostrou(QStringLiteral("3777")));
        QVERIFY(!b.form->isVisible());
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("VaAvisoPrevioEmpregado")), QStringLiteral("000050000"));
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("VaMaioEmpregado")), QStringLiteral("000100000"));
    }

    void duplicado_data()
    {
        QTest::addColumn<QVariantMap>("outro");
        QTest::newRow("another year") << QVariantMap{{"AnBase", "2009"}};
        QTest::newRow("another prefix") << QVariantMap{{"NuPrefixoEstabelecimento", "02"}};
    }
    void duplicado()
    {
        QFETCH(QVariantMap, outro);
        BancadaDadosEmpreg b;
        insereLinha(QStringLiteral("bd8vinc"), vinculoDeTeste(kPisBancada, outro));
        b.abre();
        clicaOk(b);
        QCOMPARE(b.textos(), QStringList{textoDaMensagem(QStringLiteral("1671"))});
        QCOMPARE(b.aba(), QStringLiteral("tAdmissao"));
        QCOMPARE(b.foco(), QStringLiteral("deAdmissao"));
        QVERIFY(b.form->isVisible());
    }

    void outrosDadosPessoais_data()
    {
        QTest::addColumn<QVariantMap>("outro");
        QTest::addColumn<QVariantMap>("proprio");
        QTest::addColumn<bool>("aviso");
        const QVariantMap outraAdmissao{{"NuPrefixoEstabelecimento", "02"}, {"DaAdmissaoEmpregado", "01032006"}};
        QVariantMap outroNascimento = outraAdmissao;
        outroNascimento.insert("DaNascimentoEmpregado", "16031980");
        QVariantMap semCpf = outraAdmissao;
        // A link type that needs no CPF.
        semCpf.insert("CoCpfEmpregado", "00000000000");
        semCpf.insert("CoVinculo", "20");
        QTest::newRow("another birth date") << outroNascimento << QVariantMap{} << true;
        QTest::newRow("the same data") << outraAdmissao << QVariantMap{} << false;
        QTest::newRow("neither has a CPF") << semCpf << QVariantMap{{"CoCpfEmpregado", "00000000000"}, {"CoVinculo", "20"}} << false;
    }
    void outrosDadosPessoais()
    {
        QFETCH(QVariantMap, outro);
        QFETCH(QVariantMap, proprio);
        QFETCH(bool, aviso);
        BancadaDadosEmpreg b;
        insereLinha(QStringLiteral("bd8vinc"), vinculoDeTeste(kPisBancada, outro));
        b.abre(true, proprio);
        clicaOk(b);
        QCOMPARE(b.textos(), aviso ? QStringList{textoDaMensagem(QStringLiteral("3761"))} : QStringList{});
        QVERIFY(!b.form->isVisible());
        QCOMPARE(vinculosGravados(), 2);
    }

    void okComCampoErradoMostraUmaVez()
    {
        BancadaDadosEmpreg b;
        b.abre();
        QLineEdit *nascimento = b.ed("deNascimento");
        nascimento->setFocus();
        nascimento->selectAll();
        QTest::keyClicks(nascimento, QStringLiteral("01011800"));
        clicaOk(b);
        QCOMPARE(b.textos(), QStringList{textoDaMensagem(QStringLiteral("0175"))});
        QCOMPARE(b.foco(), QStringLiteral("deNascimento"));
        QVERIFY(b.form->isVisible());
    }

    void aceleradorDoOkSobreCancelar()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"NoEmpregado", "FULANO DE TAL"}});
        b.ed("deNomeEmpregado")->setText(QStringLiteral("OUTRO NOME"));
        b.w("BtCancelar")->setFocus();
        QTest::keyClick(b.form.get(), Qt::Key_O, Qt::AltModifier);
        QTest::qWait(300);
        QVERIFY(b.form->isVisible());
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("NoEmpregado")), QStringLiteral("FULANO DE TAL"));
    }

    void chaveRecusadaMantemOFormulario()
    {
        BancadaDadosEmpreg b;
        b.abre();
        executa(QStringLiteral("CREATE TEMP TRIGGER chave BEFORE UPDATE ON bd8vinc.bd8vinc "
                               "BEGIN SELECT RAISE(ABORT, 'UNIQUE constraint failed: bd8vinc'); END"));
        QTest::keyClicks(b.ed("deUsoEmpregado"), QStringLiteral("X"));
        clicaOk(b);
        QCOMPARE(b.textos(), QStringList{textoDaMensagem(QStringLiteral("1059"))});
        QVERIFY(b.form->isVisible());
        QCOMPARE(b.ed("deUsoEmpregado")->text(), QStringLiteral("X"));
        QCOMPARE(b.ed("edJaneiro")->text().trimmed(), QStringLiteral("1.000,00"));
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("TxUsoEmpregado")), QString());
        // Once the key is free the same form saves what was typed.
        executa(QStringLiteral("DROP TRIGGER chave"));
        clicaOk(b);
        QVERIFY(!b.form->isVisible());
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("TxUsoEmpregado")), QStringLiteral("X"));
        QCOMPARE(campoGravado(kPisBancada, QStringLiteral("VaJaneiroEmpregado")), QStringLiteral("000100000"));
    }

    void falhaNasContagensNaoGravaOVinculo()
    {
        bool terminou = false;
        const auto anterior = setTerminaPrograma([&terminou] { terminou = true; });
        {
            BancadaDadosEmpreg b;
            b.abre(true, {}, {{"NuVinculosEstabelecimento", "000007"}});
            executa(QStringLiteral("CREATE TEMP TRIGGER contagem BEFORE UPDATE ON bd8emp.bd8emp "
                                   "BEGIN SELECT RAISE(ABORT, 'recusada'); END"));
            QTest::keyClicks(b.ed("deUsoEmpregado"), QStringLiteral("X"));
            clicaOk(b);
            QCOMPARE(b.presenter->boxes.size(), 1);
            QVERIFY(b.presenter->boxes.first().text.startsWith(QStringLiteral("Erro BDE")));
            QVERIFY(terminou);
            QCOMPARE(campoGravado(kPisBancada, QStringLiteral("TxUsoEmpregado")), QString());
            QCOMPARE(campoEstabelecimento(QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000007"));
            executa(QStringLiteral("DROP TRIGGER contagem"));
        }
        setTerminaPrograma(anterior);
    }
};

QTEST_MAIN(tst_ufmDadosEmpregGrava)
#include "tst_ufmDadosEmpregGrava.moc"
