#include "backup/ugGeraIndice.h"

#include "app/base/Database.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "ScriptedPresenter.h"
#include "ScriptedProgress.h"
#include "TestData.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QStringList kOrdem{"TB8MSG.PX",  "TB8VINC.PX",  "TB8BASE.PX", "TB8CNAE.PX",  "TB8DESL.PX", "TB8INSTR.PX",
                         "TB8MUNIC.PX", "TB8NACIO.PX", "TB8Raca.PX", "TB8NATJU.PX", "TB8TPADM.PX", "TB8TPSAL.PX",
                         "TBUF.PX",    "TBUF.XG0",    "TB8CBO.PX",  "BD8VINC.PX",  "BD8EMP.PX",  "TB8FXCEP.PX",
                         "TB8Afast.PX", "tbDefi.PX",  "tbEmpreg.PX", "tbTrab.PX",  "tbSindic.PX", "PISINDEV.PX"};

} // namespace

class tst_ugGeraIndice : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recriaTudoNaOrdem();
    void paraNoPassoQueFalha_data();
    void paraNoPassoQueFalha();

private:
    std::unique_ptr<QTemporaryDir> m_pasta;
    std::unique_ptr<TdmGDVorn> m_dm;
    std::unique_ptr<TdmEntradaDados> m_de;
};

void tst_ugGeraIndice::init()
{
    m_pasta = std::make_unique<QTemporaryDir>();
    QDir().mkpath(m_pasta->filePath("dados"));
    const QDir origem(builtDataFolder());
    for (const QString &f : origem.entryList(QDir::Files))
        QVERIFY(QFile::copy(origem.filePath(f), m_pasta->filePath("dados/" + f)));
    m_dm = std::make_unique<TdmGDVorn>(m_pasta->path());
    m_de = std::make_unique<TdmEntradaDados>();
    m_de->ta8Empresa.Open();
    m_de->ta8Empreg.Open();
}

void tst_ugGeraIndice::cleanup()
{
    m_de.reset();
    m_dm.reset();
    m_pasta.reset();
}

void tst_ugGeraIndice::recriaTudoNaOrdem()
{
    ScriptedPresenter caixas;
    ScriptedProgress progresso;
    QStringList feitos;
    const int r = GeraIndices(*m_dm, m_de.get(), progresso,
                              [&](const QString &banco, const QString &arquivo, const QString &nome, TIndexOptions o,
                                  const QString &campos) {
                                  feitos << arquivo;
                                  return RecriaIndiceExclusivo(banco, arquivo, nome, o, campos);
                              });
    QCOMPARE(r, 0);
    QCOMPARE(feitos, kOrdem);
    QCOMPARE(caixas.boxes.size(), 0);
    QCOMPARE(progresso.maximum(), 17);
    QList<int> esperadas;
    for (int i = 1; i <= 17; ++i)
        esperadas << i;
    QCOMPARE(progresso.positions, esperadas);
    // The lookup datasets are open again; the declaration datasets and the state query stay closed.
    for (Table *t : m_dm->tabelas())
        QVERIFY2(t->Active(), qPrintable(t->TableName()));
    QVERIFY(!m_dm->qryUfCep.Active());
    QVERIFY(!m_de->ta8Empresa.Active());
    QVERIFY(!m_de->ta8Empreg.Active());
    QVERIFY(schemaObjectExists(database(), "tabelas", "index", "tbuf_Main"));
    QVERIFY(schemaObjectExists(database(), "tabelas", "index", "tbuf_ISgUf"));
}

void tst_ugGeraIndice::paraNoPassoQueFalha_data()
{
    QTest::addColumn<int>("passo");
    QTest::newRow("primeiro") << 1;
    QTest::newRow("TBUF") << 13;
    QTest::newRow("vinculos") << 16;
    QTest::newRow("ultimo") << 24;
}

void tst_ugGeraIndice::paraNoPassoQueFalha()
{
    QFETCH(int, passo);
    ScriptedPresenter caixas;
    ScriptedProgress progresso;
    QStringList feitos;
    const int r = GeraIndices(*m_dm, m_de.get(), progresso,
                              [&](const QString &, const QString &arquivo, const QString &, TIndexOptions, const QString &) {
                                  feitos << arquivo;
                                  return feitos.size() != passo;
                              });
    QCOMPARE(r, passo);
    QCOMPARE(feitos, kOrdem.mid(0, passo));
    QCOMPARE(progresso.position(), std::min(passo - 1, 17));
    // The dataset of the failing step is open again; a declaration dataset stays closed.
    QVERIFY(m_dm->taMensagem.Active());
    QVERIFY(m_dm->taUF.Active());
    QCOMPARE(m_de->ta8Empreg.Active(), passo < 16);
    QCOMPARE(m_de->ta8Empresa.Active(), passo < 17);
}

QTEST_GUILESS_MAIN(tst_ugGeraIndice)
#include "tst_ugGeraIndice.moc"
