// The link form's handlers section by section, offscreen: what leaving a field asks, resets, locks and
// where the focus goes.

#include "BancadaDadosEmpreg.h"
#include "rules/ugRegrasSindicais.h"

#include <QComboBox>
#include <QRadioButton>

using namespace gdvorn;
using namespace gdvorn::test;

class tst_ufmDadosEmpregSecoes : public QObject {
    Q_OBJECT

private slots:
    // ---- personal data ----

    void pisArmazenadoNaoMuda_data()
    {
        QTest::addColumn<bool>("paraCancelar");
        QTest::newRow("Tab") << false;
        QTest::newRow("Cancelar") << true;
    }
    void pisArmazenadoNaoMuda()
    {
        QFETCH(bool, paraCancelar);
        BancadaDadosEmpreg b;
        b.abre();
        QLineEdit *pis = b.ed("dePisPasep");
        pis->setFocus();
        pis->selectAll();
        QTest::keyClicks(pis, QStringLiteral("12345678919"));
        if (paraCancelar) {
            b.presenter->answer(MessageButton::Ok);
            b.presenter->answer(MessageButton::No); // stay in the form
            QTest::mouseClick(b.w<QPushButton>("BtCancelar"), Qt::LeftButton);
        } else {
            QTest::keyClick(pis, Qt::Key_Tab);
        }
        QVERIFY(!b.presenter->boxes.isEmpty());
        QCOMPARE(b.presenter->boxes.first().kind, MessageKind::Error);
        QVERIFY(b.presenter->boxes.first().text.startsWith(QStringLiteral("Você não pode alterar o código PIS/PASEP.\r")));
        QCOMPARE(pis->text(), kPisBancada);
        QCOMPARE(b.form->isVisible(), true);
    }

    void mesmoPisUmaConsultaPorPis()
    {
        BancadaDadosEmpreg b;
        b.abre(false);
        b.presenter->answer(MessageButton::Yes);
        b.digitaESai("dePisPasep", kPisBancada);
        QCOMPARE(b.presenter->boxes.size(), 1);
        QVERIFY(b.mostrou(QStringLiteral("1050")));
        QCOMPARE(b.foco(), QStringLiteral("deCPF"));
        QCOMPARE(b.ed("deNomeEmpregado")->text(), b.gravado.value("NoEmpregado").toString());
        // Leaving the PIS again with the same number asks nothing.
        b.digitaESai("dePisPasep", kPisBancada);
        QCOMPARE(b.presenter->boxes.size(), 1);
    }

    void mesmoPisRecusadoAbandona()
    {
        BancadaDadosEmpreg b;
        b.abre(false);
        QString devolvido;
        b.form->DevolvePisLista = [&](const QString &pis) { devolvido = pis; };
        b.presenter->answer(MessageButton::No);
        b.digitaESai("dePisPasep", kPisBancada);
        QVERIFY(!b.form->isVisible());
        QCOMPARE(vinculosGravados(), 1);
        // The employee list gets the PIS back, to look for the employee's other link.
        QCOMPARE(devolvido, kPisBancada);
    }

    void deficiencia()
    {
        BancadaDadosEmpreg b;
        b.abre();
        // Leaving the race goes into the group: no button chosen yet takes the first one, unselected.
        b.form->findChild<RadioGroup *>("dgDeficiencia")->setValor(QString());
        b.digitaESai("deRaca", QStringLiteral("2"));
        QCOMPARE(b.foco(), QStringLiteral("dgDeficienciaSim"));
        QVERIFY(!b.w<QRadioButton>("dgDeficienciaSim")->isChecked());
        // "Sim " opens the type; "Não" locks it and moves to the sex.
        QTest::keyClick(b.w("dgDeficienciaSim"), Qt::Key_Space);
        QTest::keyClick(b.w("dgDeficienciaSim"), Qt::Key_Tab);
        QCOMPARE(b.foco(), QStringLiteral("deDeficiente"));
        QVERIFY(!b.ed("deDeficiente")->isReadOnly());
        b.w("dgDeficienciaNao")->setFocus();
        QTest::keyClick(b.w("dgDeficienciaNao"), Qt::Key_Space);
        QTest::keyClick(b.w("dgDeficienciaNao"), Qt::Key_Tab);
        QCOMPARE(b.foco(), QStringLiteral("cbSexo"));
        QVERIFY(b.ed("deDeficiente")->isReadOnly());
        QVERIFY(b.presenter->boxes.isEmpty());
    }

    void instrucaoPergunta_data()
    {
        QTest::addColumn<MessageButton>("resposta");
        QTest::addColumn<QString>("focoFinal");
        QTest::newRow("Sim segue") << MessageButton::Yes << "deCarteiraTrab";
        QTest::newRow("Não fica") << MessageButton::No << "deInstrucao";
    }
    void instrucaoPergunta()
    {
        QFETCH(MessageButton, resposta);
        QFETCH(QString, focoFinal);
        BancadaDadosEmpreg b;
        b.abre(true, {{"DaNascimentoEmpregado", "15031995"}});
        b.presenter->answer(resposta);
        b.digitaESai("deInstrucao", QStringLiteral("09"));
        QCOMPARE(b.presenter->boxes.size(), 1);
        QCOMPARE(b.presenter->boxes.first().kind, MessageKind::Confirmation);
        QCOMPARE(b.presenter->boxes.first().text, textoDaMensagem(QStringLiteral("3771")));
        QCOMPARE(b.foco(), focoFinal);
    }

    void serieSemNumeroVaiAoNumero()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"NuCartTrabEmpregado", "00000000"}});
        b.digitaESai("deCarteiraTrabSerie", QStringLiteral("12345"));
        QVERIFY(b.mostrou(QStringLiteral("3723")));
        QCOMPARE(b.foco(), QStringLiteral("deCarteiraTrab"));
    }

    void usoDaEmpresaAbreAdmissao()
    {
        BancadaDadosEmpreg b;
        b.abre();
        b.digitaESai("deUsoEmpregado", QString());
        QCOMPARE(b.aba(), QStringLiteral("tAdmissao"));
        QCOMPARE(b.foco(), QStringLiteral("deAdmissao"));
        // An empty contractual salary shows zero and is not checked.
        b.digitaESai("edSalario", QString());
        QCOMPARE(b.ed("edSalario")->text().trimmed(), QStringLiteral("0,00"));
        QVERIFY(b.presenter->boxes.isEmpty());
    }

    // ---- link type, permit, work place ----

    void alvaraDeMenor()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"DaNascimentoEmpregado", "15031996"}, {"DaAdmissaoEmpregado", "01022010"}});
        b.presenter->answer(MessageButton::Yes);
        QVERIFY(Protege([&b] { b.form->ValidaAlvara(); }));
        QCOMPARE(b.presenter->boxes.size(), 1);
        QCOMPARE(b.presenter->boxes.first().text, QStringLiteral("Existe alvará autorizando menor de 16 anos de idade ?"));
        QVERIFY(b.w("dgAlvara")->isEnabled());
        QCOMPARE(b.w<RadioGroup>("dgAlvara")->valor(), QStringLiteral("1"));
    }

    void semAlvaraExcluiSoComSim_data()
    {
        QTest::addColumn<MessageButton>("resposta3532");
        QTest::addColumn<bool>("excluido");
        QTest::newRow("Sim exclui") << MessageButton::Yes << true;
        QTest::newRow("Não mantém") << MessageButton::No << false;
        QTest::newRow("caixa fechada mantém") << MessageButton::Cancel << false;
    }
    void semAlvaraExcluiSoComSim()
    {
        QFETCH(MessageButton, resposta3532);
        QFETCH(bool, excluido);
        BancadaDadosEmpreg b;
        insereLinha(QStringLiteral("bd8vinc"), vinculoDeTeste(QStringLiteral("12345678919")));
        b.abre(true, {{"DaNascimentoEmpregado", "15031996"}, {"DaAdmissaoEmpregado", "01022010"}},
               {{"NuVinculosEstabelecimento", "000002"}});
        for (MessageButton r : {MessageButton::No, MessageButton::Ok, MessageButton::No, resposta3532})
            b.presenter->answer(r);
        QVERIFY(!Protege([&b] { b.form->ValidaAlvara(); }));
        QVERIFY(b.mostrou(QStringLiteral("3533")));
        QVERIFY(b.mostrou(QStringLiteral("3532")));
        QCOMPARE(vinculosGravados(), excluido ? 1 : 2);
        QCOMPARE(campoEstabelecimento(QStringLiteral("NuVinculosEstabelecimento")),
                 excluido ? QStringLiteral("000001") : QStringLiteral("000002"));
        QCOMPARE(b.form->isVisible(), !excluido);
        if (!excluido)
            QCOMPARE(b.w<RadioGroup>("dgAlvara")->valor(), QStringLiteral("2"));
    }

    void aprendizComAlvara()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"DaNascimentoEmpregado", "15031996"}, {"DaAdmissaoEmpregado", "01022010"},
                      {"CoVinculo", "55"}, {"InAlvaraEmpregado", "1"}});
        QVERIFY(!Protege([&b] { b.form->ValidaAlvara(); }));
        QVERIFY(b.mostrou(QStringLiteral("3531")));
        QCOMPARE(b.aba(), QStringLiteral("tVinculo"));
        QVERIFY(!b.form->TrocaAbaPermitida);
    }

    void localDeTrabalho()
    {
        BancadaDadosEmpreg b;
        b.abre();
        b.vaiPara("tVinculo");
        b.ed("edAvisoPrevio")->setFocus();
        b.digitaESai("deMunicipioTrabalho", QStringLiteral("3550308"));
        QVERIFY(b.presenter->boxes.isEmpty());
        QCOMPARE(b.ed("deNomeMunicipioTrabalho")->text(), QStringLiteral("SÃO PAULO"));
        QCOMPARE(b.ed("deSiglaUFTrabalho")->text(), QStringLiteral("SP"));
        QCOMPARE(dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("SgUfTrabalho")).AsString(), QStringLiteral("SP"));
        // Part of a code passes here without a word; the save refuses it.
        b.vaiPara("tVinculo");
        b.ed("edAvisoPrevio")->setFocus();
        b.digitaESai("deMunicipioTrabalho", QStringLiteral("355"));
        QVERIFY(b.presenter->boxes.isEmpty());
        QVERIFY(!Protege([&b] { b.form->ValidaMunicipioTrabalho(true); }));
        QVERIFY(b.mostrou(QStringLiteral("0040")));
        QCOMPARE(b.foco(), QStringLiteral("deMunicipioTrabalho"));
        QCOMPARE(b.aba(), QStringLiteral("tVinculo"));
    }

    // ---- dismissal, notice pay, termination ----

    void causaDeDesligamento_data()
    {
        QTest::addColumn<QString>("causa");
        QTest::addColumn<bool>("dataAberta");
        QTest::addColumn<bool>("verbasHabilitadas");
        QTest::addColumn<QString>("focoFinal");
        QTest::newRow("80") << "80" << false << false << "deMunicipioTrabalho";
        QTest::newRow("30") << "30" << true << true << "deDataDeslig";
    }
    void causaDeDesligamento()
    {
        QFETCH(QString, causa);
        QFETCH(bool, dataAberta);
        QFETCH(bool, verbasHabilitadas);
        QFETCH(QString, focoFinal);
        BancadaDadosEmpreg b;
        b.abre(true, {{"CoCausaDesligamento", "32"}, {"DaDesligamentoEmpregado", "1005"}, {"VaGlobalFerias", "00010000"}});
        b.vaiPara("tVinculo");
        b.w("dgAlvaraSim")->setFocus();
        b.digitaESai("deCodDeslig", causa);
        QCOMPARE(!b.ed("deDataDeslig")->isReadOnly(), dataAberta);
        if (!dataAberta) {
            QCOMPARE(b.ed("deDataDeslig")->text(), QString());
            QCOMPARE(b.ed("deAnoDeslig")->text().trimmed(), QString());
        }
        QCOMPARE(b.ed("deValorGlobalFerias")->isEnabled(), verbasHabilitadas);
        QCOMPARE(b.ed("deValorGlobalFerias")->text().trimmed(), QStringLiteral("0,00"));
        QCOMPARE(b.ed("edAvisoPrevio")->text().trimmed(), QStringLiteral("0,00"));
        QCOMPARE(b.foco(), focoFinal);
    }

    void avisoPrevioIndenizado()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "1005"}});
        b.vaiPara("tVinculo");
        QCOMPARE(b.ed("deAnoDeslig")->text(), QStringLiteral("2010"));
        b.ed("deCodDeslig")->setFocus();
        b.presenter->answer(MessageButton::Ok);  // "3758"
        b.presenter->answer(MessageButton::Yes); // indemnified
        b.digitaESai("deDataDeslig", QStringLiteral("1005"));
        QVERIFY(b.mostrou(QStringLiteral("3758")));
        QCOMPARE(b.presenter->boxes.last().text, QStringLiteral("O Aviso Prévio foi indenizado?"));
        QCOMPARE(b.foco(), QStringLiteral("edAvisoPrevio"));
        // Left at zero: said, asked again; No locks it and moves on.
        b.presenter->answer(MessageButton::Ok);
        b.presenter->answer(MessageButton::No);
        b.digitaESai("edAvisoPrevio", QStringLiteral("0"));
        const int n = b.presenter->boxes.size();
        QCOMPARE(b.presenter->boxes.at(n - 2).text, QStringLiteral("Informe o Aviso Prévio Indenizado."));
        QCOMPARE(b.presenter->boxes.at(n - 1).text, QStringLiteral("O Aviso Prévio foi indenizado?"));
        QCOMPARE(b.foco(), QStringLiteral("deMunicipioTrabalho"));
        QVERIFY(b.ed("edAvisoPrevio")->isReadOnly());
    }

    void perguntaDoAvisoMesmoParaCancelar()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "1005"}, {"VaGlobalFerias", "00010000"}});
        b.vaiPara("tVinculo");
        b.ed("deDataDeslig")->setFocus();
        b.presenter->answer(MessageButton::No);  // indemnified?
        b.presenter->answer(MessageButton::No);  // leave the form?
        QTest::mouseClick(b.w<QPushButton>("BtCancelar"), Qt::LeftButton);
        QCOMPARE(b.presenter->boxes.first().text, QStringLiteral("O Aviso Prévio foi indenizado?"));
    }

    void mesesDaVerba()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "1005"}, {"VaGlobalBcoHoras", "00010000"}});
        b.vaiPara("tVerbas");
        b.digitaESai("deCompetenciaHoras", QString());
        QVERIFY(b.mostrou(QStringLiteral("3680")));
        QCOMPARE(b.foco(), QStringLiteral("deCompetenciaHoras"));
        QCOMPARE(b.aba(), QStringLiteral("tVerbas"));
    }

    // ---- leaves ----

    void afastamentos_data()
    {
        QTest::addColumn<QVariantMap>("mudancas");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("focoFinal");
        const QVariantMap comCausa{{"CoMotivoPrimAfas", "40"}, {"QtDiasAfas", "010"}};
        QTest::newRow("dates without cause") << QVariantMap{} << "dePrimInicio" << "0103" << "3646" << "dePrimCod";
        QTest::newRow("cause without start") << comCausa << "dePrimInicio" << "" << "3638" << "dePrimInicio";
        QTest::newRow("31 February") << comCausa << "dePrimInicio" << "3102" << "3630" << "dePrimInicio";
        QVariantMap admitido = comCausa;
        admitido.insert("DaAdmissaoEmpregado", "15032010");
        QTest::newRow("before the admission") << admitido << "dePrimInicio" << "0103" << "3632" << "dePrimInicio";
        QVariantMap desligado = comCausa;
        desligado.insert("CoCausaDesligamento", "32");
        desligado.insert("DaDesligamentoEmpregado", "1006");
        desligado.insert("DaInicioprimeiroAfas", "0106");
        QTest::newRow("ends after the dismissal") << desligado << "dePrimFinal" << "1506" << "3631" << "dePrimFinal";
        QVariantMap inicio = comCausa;
        inicio.insert("DaInicioprimeiroAfas", "1002");
        QTest::newRow("ends before it starts") << inicio << "dePrimFinal" << "0502" << "3633" << "dePrimFinal";
        QTest::newRow("second without first") << QVariantMap{} << "deSegCod" << "40" << "3748" << "dePrimCod";
        QTest::newRow("cause with no days") << comCausa << "deAfastQtDias" << "000" << "3644" << "deAfastQtDias";
        QTest::newRow("400 days") << comCausa << "deAfastQtDias" << "400" << "3640" << "deAfastQtDias";
        QTest::newRow("days without cause") << QVariantMap{} << "deAfastQtDias" << "010" << "3753" << "dePrimCod";
    }
    void afastamentos()
    {
        QFETCH(QVariantMap, mudancas);
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, codigo);
        QFETCH(QString, focoFinal);
        BancadaDadosEmpreg b;
        b.abre(true, mudancas);
        b.vaiPara("tAfastamento");
        b.digitaESai(campo.toLatin1().constData(), texto);
        QVERIFY2(b.mostrou(codigo), qPrintable(b.textos().join(QLatin1Char('|'))));
        QCOMPARE(b.foco(), focoFinal);
        QCOMPARE(b.aba(), QStringLiteral("tAfastamento"));
    }

    void avisoDeAnosAnterioresSoNaPrimeira()
    {
        BancadaDadosEmpreg b;
        b.abre();
        b.vaiPara("tAfastamento");
        b.digitaESai("dePrimCod", QStringLiteral("40"));
        QCOMPARE(b.presenter->boxes.size(), 1);
        QVERIFY(b.presenter->boxes.first().text.startsWith(QStringLiteral("As informações referem-se ao ano-base 2010.\r")));
        QCOMPARE(b.ed("edTxPrimAfast")->text(), QStringLiteral("Doença não relacionada ao trabalho"));
        b.digitaESai("deSegCod", QStringLiteral("40"));
        QCOMPARE(b.presenter->boxes.size(), 1);
        // The total days left forwards opens the unions on the union-tax CNPJ.
        b.digitaESai("deAfastQtDias", QStringLiteral("010"));
        QCOMPARE(b.aba(), QStringLiteral("tSindicais"));
        QCOMPARE(b.foco(), QStringLiteral("deCNPJSindical"));
    }

    // ---- unions ----

    void cnpjsDasEntidades_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("cnpj");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("own CNPJ, union tax") << "deCNPJSindical" << "11222333000181" << "3743";
        QTest::newRow("own CNPJ, confederative") << "deCNPJConfederativa" << "11222333000181" << "3743";
        QTest::newRow("same association twice") << "deCNPJSegundoAssociativa" << "33222111000100" << "3745";
    }
    void cnpjsDasEntidades()
    {
        QFETCH(QString, campo);
        QFETCH(QString, cnpj);
        QFETCH(QString, codigo);
        BancadaDadosEmpreg b;
        b.abre(true, {{"InSindicalizadoVinculo", "1"}, {"CoCNPJPrimAssociativa", "33222111000100"}});
        b.vaiPara("tSindicais");
        b.digitaESai(campo.toLatin1().constData(), cnpj);
        QVERIFY2(b.mostrou(codigo), qPrintable(b.textos().join(QLatin1Char('|'))));
        QCOMPARE(b.foco(), campo);
    }

    void perguntaDaEntidade_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("cnpj");
        QTest::addColumn<MessageButton>("resposta");
        QTest::addColumn<bool>("perguntado");
        QTest::addColumn<bool>("fica");
        QTest::newRow("No keeps the focus") << "deCNPJAssistencial" << "33222111000100" << MessageButton::No << true << true;
        QTest::newRow("Yes moves on") << "deCNPJAssistencial" << "33222111000100" << MessageButton::Yes << true << false;
        QTest::newRow("owning body, union tax") << "deCNPJSindical" << CnpjQyv << MessageButton::No << false << false;
        QTest::newRow("owning body, assistance") << "deCNPJAssistencial" << CnpjQyv << MessageButton::No << true
                                                 << true;
    }
    void perguntaDaEntidade()
    {
        QFETCH(QString, campo);
        QFETCH(QString, cnpj);
        QFETCH(MessageButton, resposta);
        QFETCH(bool, perguntado);
        QFETCH(bool, fica);
        BancadaDadosEmpreg b;
        ProgramaTeste::addRow(QStringLiteral("tbtrab"), {QStringLiteral("11444777000161")});
        b.abre();
        b.vaiPara("tSindicais");
        b.presenter->answer(resposta);
        b.digitaESai(campo.toLatin1().constData(), cnpj);
        QCOMPARE(b.textos().contains(QStringLiteral("Este campo deve ser preenchido obrigatoriamente com o CNPJ da "
                                                     "entidade sindical laboral. Confirma?")),
                 perguntado);
        QCOMPARE(b.foco() == campo, fica);
    }

    void naoSindicalizadoTravaAssociacoes()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"InSindicalizadoVinculo", "1"}, {"CoCNPJPrimAssociativa", "33222111000100"},
                      {"VaGlobalPrimAssociativa", "00001000"}});
        b.vaiPara("tSindicais");
        b.w("dbrSindicalizadoNao")->setFocus();
        QTest::keyClick(b.w("dbrSindicalizadoNao"), Qt::Key_Space);
        QTest::keyClick(b.w("dbrSindicalizadoNao"), Qt::Key_Tab);
        QCOMPARE(b.foco(), QStringLiteral("deCNPJAssistencial"));
        QCOMPARE(b.ed("deCNPJPrimeiroAssociativa")->text(), QString());
        QVERIFY(b.ed("deCNPJPrimeiroAssociativa")->isReadOnly());
        QCOMPARE(b.ed("devalorPrimeiroAssociativa")->text().trimmed(), QStringLiteral("0,00"));
        QCOMPARE(dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoCNPJPrimAssociativa")).AsString(), QString());
    }

    void semRespostaDeSindicalizado()
    {
        BancadaDadosEmpreg b;
        b.abre(true, {{"InSindicalizadoVinculo", ""}, {"CoCNPJPrimAssociativa", "33222111000100"}});
        b.vaiPara("tSindicais");
        b.digitaESai("deCNPJPrimeiroAssociativa", QStringLiteral("33222111000100"));
        QVERIFY(b.mostrou(QStringLiteral("3724")));
        QCOMPARE(b.foco(), QStringLiteral("dbrSindicalizadoSim"));
        QVERIFY(!b.w<QRadioButton>("dbrSindicalizadoSim")->isChecked());
        // Leaving the union-tax value always leads into the group.
        b.digitaESai("deValorSindical", QStringLiteral("10,00"));
        QCOMPARE(b.foco(), QStringLiteral("dbrSindicalizadoSim"));
    }

    // ---- pay ----

    void admissaoSemPagamento_data()
    {
        QTest::addColumn<QString>("admissao");
        QTest::addColumn<bool>("recusa");
        QTest::newRow("admitted in May of the base year") << "01052010" << true;
        QTest::newRow("admitted in May of an earlier year") << "01052009" << false;
    }
    void admissaoSemPagamento()
    {
        QFETCH(QString, admissao);
        QFETCH(bool, recusa);
        QVariantMap m{{"DaAdmissaoEmpregado", admissao}};
        for (const char *mes : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio"})
            m.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(mes)), QStringLiteral("000000000"));
        BancadaDadosEmpreg b;
        b.abre(true, m);
        b.vaiPara("tRemuneracoes");
        b.digitaESai("edDezembro", QStringLiteral("1000"));
        QCOMPARE(b.mostrou(QStringLiteral("3679")), recusa);
        QCOMPARE(b.foco(), QStringLiteral("deHorasDezembro"));
    }

    void anoSemPagamentoEDecimoTerceiroZero()
    {
        QVariantMap m{{"CoCausaDesligamento", "32"}, {"DaDesligamentoEmpregado", "1005"}};
        for (const char *mes : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                                "Outubro", "Novembro", "Dezembro"}) {
            m.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(mes)), QStringLiteral("000000000"));
            m.insert(QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(mes)), QStringLiteral("000"));
        }
        BancadaDadosEmpreg b;
        b.abre(true, m);
        b.vaiPara("tRemuneracoes");
        b.digitaESai("edDezembro", QStringLiteral("0"));
        QCOMPARE(b.textos(), QStringList{textoDaMensagem(QStringLiteral("1060"))});
        QCOMPARE(b.foco(), QStringLiteral("deHorasDezembro"));
        b.ed("edAdiantamento")->setText(QStringLiteral("abc"));
        b.digitaESai("edParcelaFinal", QStringLiteral("0"));
        QVERIFY(b.mostrou(QStringLiteral("1061")));
        QCOMPARE(b.ed("edAdiantamento")->text().trimmed(), QStringLiteral("0,00"));
    }

    void horas_data()
    {
        QTest::addColumn<QString>("horas");
        QTest::addColumn<MessageButton>("resposta");
        QTest::addColumn<QString>("focoFinal");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("empty becomes 000") << "" << MessageButton::Ok << "edFevereiro" << "000";
        QTest::newRow("too many, Yes") << "150" << MessageButton::Yes << "edFevereiro" << "150";
        QTest::newRow("too many, No") << "150" << MessageButton::No << "deHorasJaneiro" << "150";
    }
    void horas()
    {
        QFETCH(QString, horas);
        QFETCH(MessageButton, resposta);
        QFETCH(QString, focoFinal);
        QFETCH(QString, mostrado);
        BancadaDadosEmpreg b;
        b.abre();
        b.vaiPara("tRemuneracoes");
        b.presenter->answer(resposta);
        b.digitaESai("deHorasJaneiro", horas);
        QCOMPARE(b.ed("deHorasJaneiro")->text(), mostrado);
        QCOMPARE(b.foco(), focoFinal);
        QCOMPARE(b.mostrou(QStringLiteral("3699")), !horas.isEmpty());
    }
};

QTEST_MAIN(tst_ufmDadosEmpregSecoes)
#include "tst_ufmDadosEmpregSecoes.moc"
