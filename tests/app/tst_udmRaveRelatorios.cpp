// The display handlers of the reports, and the report system's runs to text files.

#include "app/udmRaveRelatorios.h"

#include "GravadorRelatorios.h"
#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QFile>
#include <QtTest>

using namespace gdvorn;

class tst_udmRaveRelatorios : public QObject {
    Q_OBJECT

private slots:
    void textos_data()
    {
        QTest::addColumn<QString>("obtido");
        QTest::addColumn<QString>("esperado");
        // each inscription by its own row's type
        QTest::newRow("CEI do protocolo") << TextoInscricao("00123456789012", "3") << "12345.67890-12";
        QTest::newRow("CNPJ") << TextoInscricao("11222333000181", "1") << "11.222.333/0001-81";
        QTest::newRow("CPF") << TextoInscricao("00012345678909", "4") << "123.456.789-09";
        QTest::newRow("outro tipo") << TextoInscricao("11222333000181", "2") << "";
        QTest::newRow("CEI vinculado zero") << TextoCeiVinculado("00000000000000") << " ";
        QTest::newRow("CNPJ zero") << TextoCNPJ("00000000000000") << " ";
        QTest::newRow("CEI vinculado em branco") << TextoCeiVinculado("") << " ";
        QTest::newRow("CNPJ em branco") << TextoCNPJ("") << " ";
        QTest::newRow("municipio") << TextoMunicipio("3550308") << "35-50308";
        QTest::newRow("municipio zero") << TextoMunicipio("0000000") << " ";
        QTest::newRow("trim") << TextoTrim("000120") << "120";
        QTest::newRow("trim zeros") << TextoTrim("000000") << "-";
        QTest::newRow("pat") << TextoPAT("050") << "50%";
        QTest::newRow("pat zeros") << TextoPAT("000") << "0%";
        QTest::newRow("remuneracao") << TextoRemuneracao("000012345") << "123,45";
        QTest::newRow("remuneracao milhar") << TextoRemuneracao("123456789") << "1.234.567,89";
        QTest::newRow("remuneracao zeros") << TextoRemuneracao("000000000") << "0,00";
        QTest::newRow("remuneracao nao numerica") << TextoRemuneracao("12A") << "";
        QTest::newRow("valor total zeros") << TextoValorTotal("00000000") << "0,00";
        QTest::newRow("valor total") << TextoValorTotal("00100050") << "1.000,50";
        QTest::newRow("datas") << TextoDatas("1503") << "15/03";
        QTest::newRow("datas zeros") << TextoDatas("0000") << "-";
        QTest::newRow("datas nao numerica") << TextoDatas("15a3") << "";
        QTest::newRow("deslig ano base") << TextoDataDeslig("1503", 2010, "00000000") << "15/03/2010";
        QTest::newRow("deslig encerrado no ano seguinte") << TextoDataDeslig("1503", 2010, "31012011") << "15/03/2011";
        QTest::newRow("deslig encerrado em outro ano") << TextoDataDeslig("1503", 2010, "31012012") << "15/03/2010";
        QTest::newRow("deslig zeros") << TextoDataDeslig("0000", 2010, "") << "-";
        QTest::newRow("encerramento") << TextoEncerramento("31122010") << "31/12/2010";
        QTest::newRow("encerramento zeros") << TextoEncerramento("00000000") << "-";
        QTest::newRow("protocolo vazio") << TextoEncerramentoProtocolo("") << " ";
        QTest::newRow("protocolo zeros") << TextoEncerramentoProtocolo("00000000") << " ";
        QTest::newRow("protocolo") << TextoEncerramentoProtocolo("01022011") << "01/02/2011";
        QTest::newRow("razao") << TextoRazao("EMPRESA LTDA") << "EMPRESA LTDA";
        QTest::newRow("razao 0000") << TextoRazao("0000") << " ";
        QTest::newRow("razao 11 zeros") << TextoRazao("00000000000") << " ";
        QTest::newRow("versao editada") << VersaoEditada("2010.01.03") << "2010,V.01";
    }
    void textos()
    {
        QFETCH(QString, obtido);
        QFETCH(QString, esperado);
        QCOMPARE(obtido, esperado);
    }

    void executaParaArquivoTexto()
    {
        test::TempDataFolder pasta;
        TdmRaveRelatorios dm;
        dm.rvprjErro.Registra(QStringLiteral("r"), [](TdmRaveRelatorios &, const TRvProject &p, DestinoPaginas &d) {
            MontadorRelatorio m(d, QStringLiteral("Título"), p.GetParam(QStringLiteral("AnoBase")), QStringLiteral("v"));
            m.texto(QStringLiteral("conteúdo"));
            m.termina();
        });
        dm.rvprjErro.SetParam(QStringLiteral("AnoBase"), QStringLiteral("2010"));
        dm.RvSystem1.Destino = DestinoRelatorio::Arquivo;
        dm.RvSystem1.ArquivoSaida = pasta.file(QStringLiteral("saida.txt"));
        dm.rvprjErro.ExecuteReport(QStringLiteral("r"));
        QFile f(dm.RvSystem1.ArquivoSaida);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString t = QString::fromUtf8(f.readAll());
        QVERIFY(t.contains(QStringLiteral("Ano-Base: 2010")));
        QVERIFY(t.contains(QStringLiteral("conteúdo")));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, dm.rvprjErro.ExecuteReport(QStringLiteral("outro")));
        // without an installed output, nothing can be previewed
        dm.RvSystem1.Destino = DestinoRelatorio::Visualizacao;
        QVERIFY(!dm.RvSystem1.HaImpressora());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, dm.rvprjErro.ExecuteReport(QStringLiteral("r")));
    }

    // The one printer check of every report: with no printer, the window's box and printing from the preview
    // off for the rest of the run, even once a printer is there.
    void verificaImpressora()
    {
        test::TempDataFolder pasta;
        TdmRaveRelatorios dm;
        test::ScriptedPresenter caixas;
        test::GravadorRelatorios saida;
        QVERIFY(dm.RvSystem1.VerificaImpressora());
        QVERIFY(caixas.boxes.isEmpty());
        QVERIFY(dm.RvSystem1.ImprimeDaVisualizacao);

        saida.impressora = false;
        QVERIFY(!dm.RvSystem1.VerificaImpressora());
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes[0].kind, MessageKind::Warning);
        QCOMPARE(caixas.boxes[0].text, QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
        QCOMPARE(caixas.boxes[0].buttons, QList<MessageButton>{MessageButton::Ok});
        QVERIFY(caixas.boxes[0].caption.isEmpty());
        QVERIFY(!dm.RvSystem1.ImprimeDaVisualizacao);

        saida.impressora = true;
        QVERIFY(dm.RvSystem1.VerificaImpressora());
        QVERIFY(!dm.RvSystem1.ImprimeDaVisualizacao);
        QCOMPARE(caixas.boxes.size(), 1);

        // Each window keeps its own words and kind of box.
        saida.impressora = false;
        QVERIFY(!dm.RvSystem1.VerificaImpressora(TRvSystem::kNaoHaImpressoras));
        QCOMPARE(caixas.boxes.last().kind, MessageKind::Warning);
        QCOMPARE(caixas.boxes.last().text, QStringLiteral("Não há impressoras instaladas."));
        QVERIFY(!dm.RvSystem1.VerificaImpressora(TRvSystem::kErroImpossivelImprimir));
        QCOMPARE(caixas.boxes.last().kind, MessageKind::Error);
        QCOMPARE(caixas.boxes.last().caption, QStringLiteral("Atenção"));
        QCOMPARE(caixas.boxes.last().text, QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
    }
};

QTEST_GUILESS_MAIN(tst_udmRaveRelatorios)
#include "tst_udmRaveRelatorios.moc"
