#include "app/udmDadosResp.h"

#include "app/ugEstrutura.h"

#include "ProgramFixture.h"
#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

class TestUdmDadosResp : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_pasta = std::make_unique<test::ProgramFixture>(test::ProgramFixture::EmptyTables);
        m_pasta->openConnection();
        m_pasta->create(dmDadosResp);
    }
    void cleanup()
    {
        m_pasta.reset();
        QCOMPARE(dmDadosResp, nullptr);
    }

    void creationState()
    {
        const TdmDadosResp &dm = *dmDadosResp;
        QVERIFY(!dm.Retificacao);
        QVERIFY(!dm.EncerraAssistente);
        QCOMPARE(dm.ResultadoConsistencia, quint8(0));
        QCOMPARE(int(dm.PosicaoAssistente.size()), 34);
        QVERIFY(std::all_of(dm.PosicaoAssistente.begin(), dm.PosicaoAssistente.end(), [](int v) { return v == 0; }));
        QVERIFY(dm.TituloAssistente.isEmpty());
        QVERIFY(dm.AnoExercicio.isEmpty());
        QVERIFY(dm.ImagemAssistente.startsWith("\x89PNG\r\n\x1a\n"));
    }

    void editOnEmptyTableCreatesTheSingleRow()
    {
        Table &resp = dmDadosResp->ta8Resp;
        resp.Open();
        QVERIFY(resp.IsEmpty());
        resp.Edit();
        resp.FieldByName("NoResponsavelArquivo").setAsString("CONTABIL LTDA");
        resp.FieldByName("InDicas").setAsBoolean(true);
        resp.Post();
        QCOMPARE(resp.RecordCount(), 1);

        // Later edits change that row; the choices persist for the next module.
        resp.Edit();
        resp.FieldByName("NoResponsavelArquivo").setAsString("OUTRA");
        resp.Post();
        resp.Close();
        m_pasta->freeAll();
        m_pasta->openConnection();
        m_pasta->create(dmDadosResp);
        Table &denovo = dmDadosResp->ta8Resp;
        denovo.Open();
        QCOMPARE(denovo.RecordCount(), 1);
        QCOMPARE(denovo.FieldByName("NoResponsavelArquivo").AsString(), QStringLiteral("OUTRA"));
        QVERIFY(denovo.FieldByName("InDicas").AsBoolean());
        QVERIFY(!denovo.FieldByName("InDicasSemEmpregados").AsBoolean());
    }

    void workTablesLineUpWithTheirModels()
    {
        for (const char *par : {"resp", "emp", "vinc"})
            QVERIFY(CopiaEstruturaTabela(QStringLiteral("BD8") + par, QStringLiteral("Te8") + par, kAlias, true));
        TdmDadosResp &dm = *dmDadosResp;
        const std::pair<Table *, Table *> pares[] = {
            {&dm.ta8Resp, &dm.te8Resp}, {&dm.ta8Emp, &dm.te8Emp}, {&dm.ta8Vinc, &dm.te8Vinc}};
        const int campos[] = {27, 54, 100};
        for (int i = 0; i < 3; ++i) {
            auto [permanente, trabalho] = pares[i];
            permanente->Open();
            trabalho->Open();
            QCOMPARE(permanente->FieldCount(), campos[i]);
            QCOMPARE(trabalho->FieldNames(), permanente->FieldNames());
        }
        QVERIFY(!dm.ta8Emp.FieldNames().contains("TxtCnae"));
        QCOMPARE(dm.ta8Emp.FieldNames().last(), QStringLiteral("InCentralizada"));
    }

private:
    std::unique_ptr<test::ProgramFixture> m_pasta;
};

QTEST_GUILESS_MAIN(TestUdmDadosResp)
#include "tst_udmDadosResp.moc"
