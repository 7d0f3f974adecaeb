#include "backup/ugGeraIndice.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/ugIndices.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "MorteNoMeio.h"
#include "ScriptedPresenter.h"
#include "ScriptedProgress.h"
#include "TestData.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <unistd.h>

#include <exception>
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
    void falhaDizOQueHaEOQueFazer_data();
    void falhaDizOQueHaEOQueFazer();
    void mortaNoMeioDoIndiceOInicioRecupera();

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

Q_DECLARE_METATYPE(std::exception_ptr)

void tst_ugGeraIndice::falhaDizOQueHaEOQueFazer_data()
{
    QTest::addColumn<QString>("indice");
    QTest::addColumn<std::exception_ptr>("erro"); // none: the rebuild said no
    QTest::addColumn<QStringList>("trechos");
    const QString vinc = QStringLiteral("%1/bd8vinc.db");
    QTest::newRow("em uso") << "BD8VINC.PX" << std::exception_ptr()
                            << QStringList{"o índice BD8VINC.PX não pôde ser refeito", "em uso", "indexe os arquivos novamente"};
    QTest::newRow("arquivo danificado")
        << "BD8VINC.PX" << std::make_exception_ptr(DamagedFile(ErrDamagedFile, "Corrupt file - other than header."))
        << QStringList{"O arquivo " + vinc + " está danificado (Corrupt file - other than header.)",
                       "Restaure a cópia de segurança mais recente", "não substitui este arquivo"};
    QTest::newRow("chaves repetidas numa tabela de códigos")
        << "TB8MSG.PX" << std::make_exception_ptr(KeyViolation("A tabela TB8MSG não pode ser indexada: há registros com a mesma chave"))
        << QStringList{"o índice TB8MSG.PX", "há registros com a mesma chave", "Instale novamente o GDVORN"};
    QTest::newRow("disco cheio") << "BD8EMP.PX" << std::make_exception_ptr(DiskFull("Insufficient disk space."))
                                 << QStringList{"Não há espaço livre no disco da pasta de dados %1", "Libere espaço"};
    QTest::newRow("sem gravação") << "BD8EMP.PX"
                                  << std::make_exception_ptr(EngineError(ErrOsAccessDenied, "Permission denied."))
                                  << QStringList{"O arquivo %1/bd8emp.db não pode ser gravado"};
    QTest::newRow("outro erro") << "BD8EMP.PX" << std::make_exception_ptr(EngineError(ErrSql, "Invalid SQL statement. x"))
                                << QStringList{"Invalid SQL statement. x", "CATVORN"};
}

void tst_ugGeraIndice::falhaDizOQueHaEOQueFazer()
{
    QFETCH(QString, indice);
    QFETCH(std::exception_ptr, erro);
    QFETCH(QStringList, trechos);
    ScriptedPresenter caixas;
    ScriptedProgress progresso;
    QString falha;
    const int r = GeraIndices(
        *m_dm, m_de.get(), progresso,
        [&](const QString &, const QString &arquivo, const QString &, TIndexOptions, const QString &) {
            if (arquivo != indice)
                return true;
            if (erro)
                std::rethrow_exception(erro);
            return false;
        },
        &falha);
    QCOMPARE(r, int(kOrdem.indexOf(indice)) + 1);
    QVERIFY2(falha.startsWith(QStringLiteral("Arquivos com problemas")), qPrintable(falha));
    for (const QString &t : trechos)
        QVERIFY2(falha.contains(t.contains(QLatin1String("%1")) ? t.arg(QDir::toNativeSeparators(databaseFolder())) : t),
                 qPrintable(falha));
}

void tst_ugGeraIndice::mortaNoMeioDoIndiceOInicioRecupera()
{
    execSql(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 4000) "
                           "INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, CoPisPasepEmpregado, NoEmpregado) "
                           "SELECT '2010', '11222333000181', printf('%011d', x), printf('EMPREGADO %040d', x) FROM n"));
    m_de.reset();
    m_dm.reset();
    const QString dados = m_pasta->filePath(QStringLiteral("dados"));
    const QString vinc = dados + QStringLiteral("/bd8vinc.db");
    const QByteArray antes = lerArquivo(vinc);

    const pid_t filho = fork();
    if (filho == 0) {
        // The program's own rebuild on a connection of its own, with a small page cache: it dies in the
        // middle of the links' index, once the engine has written pages of it to the file.
        TdmGDVorn dm(m_pasta->path());
        TdmEntradaDados de;
        execSql(QStringLiteral("PRAGMA bd8vinc.cache_size = 10"));
        static QString arquivo;
        static QByteArray original;
        arquivo = vinc;
        original = antes;
        Progresso semBarra;
        GeraIndices(dm, &de, semBarra,
                    [](const QString &banco, const QString &indice, const QString &nome, TIndexOptions o, const QString &campos) {
                        if (indice == QLatin1String("BD8VINC.PX"))
                            sqlite3_progress_handler(
                                sqliteHandle(banco), 200,
                                [](void *) {
                                    QFile f(arquivo);
                                    if (QFileInfo::exists(arquivo + QStringLiteral("-journal")) && f.open(QIODevice::ReadOnly) &&
                                        f.readAll() != original)
                                        _exit(7);
                                    return 0;
                                },
                                nullptr);
                        return RecriaIndiceExclusivo(banco, indice, nome, o, campos);
                    });
        _exit(0);
    }
    QString porque;
    QVERIFY2(morreuGravando(filho, vinc, antes, porque), qPrintable(porque));

    // The start-up's own check and opening.
    ScriptedPresenter caixas;
    QVERIFY(VerificaTabelas(dados));
    m_dm = std::make_unique<TdmGDVorn>(m_pasta->path());
    QVERIFY(caixas.boxes.isEmpty());
    QVERIFY(schemaObjectExists(database(), "bd8vinc", "index", "bd8vinc_Main"));
    QSqlQuery q(database());
    QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM bd8vinc.bd8vinc")) && q.next());
    QCOMPARE(q.value(0).toInt(), 4000);
    QVERIFY(q.exec(QStringLiteral("PRAGMA bd8vinc.integrity_check")) && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
}

QTEST_GUILESS_MAIN(tst_ugGeraIndice)
#include "tst_ugGeraIndice.moc"
