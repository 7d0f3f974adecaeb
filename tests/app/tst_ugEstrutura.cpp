#include "app/ugEstrutura.h"

#include "app/base/EngineError.h"
#include "app/base/Table.h"

#include "TestData.h"

#include <QSqlQuery>
#include <QtTest>

using namespace gdvorn;

namespace {

// The columns of a table as the file holds them: name and declared type, in order.
QStringList colunas(const QString &esquema, const QString &tabela)
{
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("PRAGMA \"%1\".table_info(\"%2\")").arg(esquema, tabela)))
        return {};
    QStringList c;
    while (q.next())
        c << q.value(1).toString() + QLatin1Char(' ') + q.value(2).toString();
    return c;
}

// The indexes of a table: uniqueness and fields, in the order of the index list.
QStringList indices(const QString &esquema, const QString &tabela)
{
    QSqlQuery q(database());
    q.exec(QStringLiteral("PRAGMA \"%1\".index_list(\"%2\")").arg(esquema, tabela));
    QStringList nomes, unicos;
    while (q.next()) {
        nomes << q.value(1).toString();
        unicos << q.value(2).toString();
    }
    QStringList r;
    for (int i = 0; i < nomes.size(); ++i) {
        QSqlQuery c(database());
        c.exec(QStringLiteral("PRAGMA \"%1\".index_info(\"%2\")").arg(esquema, nomes[i]));
        QStringList campos;
        while (c.next())
            campos << c.value(2).toString();
        r << unicos[i] + QLatin1Char(':') + campos.join(QLatin1Char(';'));
    }
    return r;
}

int linhas(const QString &tabela)
{
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT count(*) FROM %1").arg(tabela));
    return q.next() ? q.value(0).toInt() : -1;
}

void escreveArquivo(const QString &caminho, const QByteArray &conteudo)
{
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

} // namespace

class TestUgEstrutura : public QObject {
    Q_OBJECT

private slots:
    void init() { m_pasta = std::make_unique<test::TempDataFolder>(); }
    void cleanup() { m_pasta.reset(); }

    void copyHasTheModelsFieldsAndIndexes_data()
    {
        QTest::addColumn<QString>("modelo");
        QTest::addColumn<QString>("nova");
        QTest::addColumn<int>("campos");
        QTest::newRow("emp") << "BD8emp" << "Te8emp" << 56;
        QTest::newRow("vinc") << "BD8vinc" << "Te8vinc" << 100;
        QTest::newRow("resp") << "BD8resp" << "Te8resp" << 27;
    }
    void copyHasTheModelsFieldsAndIndexes()
    {
        QFETCH(QString, modelo);
        QFETCH(QString, nova);
        QFETCH(int, campos);
        const QString m = modelo.toLower(), n = nova.toLower();

        // An older work table of another shape, with a row, is replaced.
        execSql(QStringLiteral("CREATE TABLE main.%1 (x VARCHAR(3))").arg(n));
        execSql(QStringLiteral("INSERT INTO main.%1 VALUES ('abc')").arg(n));

        QVERIFY(CopiaEstruturaTabela(modelo, nova, kAlias, true));
        const QStringList esperado = colunas(m, m);
        QCOMPARE(esperado.size(), campos);
        QCOMPARE(colunas("main", n), esperado);
        QCOMPARE(indices("main", n), indices(m, m));
        QCOMPARE(linhas(n), 0);

        // Copying again over a filled work table leaves it empty with the same shape.
        Table trabalho(nova);
        trabalho.Open();
        trabalho.Append();
        trabalho.Fields(0).setAsString("2010");
        trabalho.Post();
        trabalho.Close();
        CriaTabelaComEstrutura(modelo, nova, kAlias, true);
        QCOMPARE(colunas("main", n), esperado);
        QCOMPARE(linhas(n), 0);

        // Without indexes: the same fields and no index.
        CriaTabelaComEstrutura(modelo, nova, kAlias, false);
        QCOMPARE(colunas("main", n), esperado);
        QVERIFY(indices("main", n).isEmpty());
    }

    void copyKeepsTheModelsKey()
    {
        CriaTabelaComEstrutura("BD8emp", "Te8emp", kAlias, true);
        QVERIFY(colunas("main", "te8emp").contains("TxtNatJur VARCHAR(200)"));
        QCOMPARE(indices("main", "te8emp"),
                 QStringList{"1:AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento"});
    }

    void failuresOfTheCopy()
    {
        // A model missing from its file.
        execSql("DROP TABLE bd8resp.bd8resp");
        QVERIFY(!CopiaEstruturaTabela("BD8resp", "Te8resp", kAlias, true));
        QVERIFY_THROWS_EXCEPTION(EngineError, CriaTabelaComEstrutura("BD8resp", "Te8resp", kAlias, true));
        QVERIFY(colunas("main", "te8resp").isEmpty());

        // A new name that is not a table of the program, and the model itself.
        QVERIFY(!CopiaEstruturaTabela("BD8emp", "te8qualquer", kAlias, true));
        QVERIFY_THROWS_EXCEPTION(EngineError, CriaTabelaComEstrutura("BD8emp", "te8qualquer", kAlias, true));
        QVERIFY(!CopiaEstruturaTabela("BD8emp", "bd8emp", kAlias, true));
        QCOMPARE(colunas("bd8emp", "bd8emp").size(), 56);
    }

    void copyWhileTheDatabaseIsHeldElsewhere()
    {
        openDatabase(m_pasta->path(), kAlias, 100);
        const QString outra = QStringLiteral("outro-usuario");
        openDatabase(m_pasta->path(), outra, 100);
        execSql("BEGIN IMMEDIATE", outra);
        QVERIFY(!CopiaEstruturaTabela("BD8emp", "Te8emp", kAlias, true));
        QVERIFY_THROWS_EXCEPTION(EngineError, CriaTabelaComEstrutura("BD8emp", "Te8emp", kAlias, true));
        // The engine's words reach a caller that asks for them.
        QString erro;
        QVERIFY(!CopiaEstruturaTabela("BD8emp", "Te8emp", kAlias, true, &erro));
        QVERIFY2(erro.startsWith(QStringLiteral("Table is busy.")), qPrintable(erro));
        execSql("ROLLBACK", outra);
        closeDatabase(outra);
        QVERIFY(CopiaEstruturaTabela("BD8emp", "Te8emp", kAlias, true, &erro));
        QVERIFY(erro.isEmpty());
    }

    void receiptName_data()
    {
        QTest::addColumn<QString>("declaracao");
        QTest::addColumn<QString>("recibo");
        QTest::newRow("lower") << "/t/Vorn2010_1122233300018101G.dec" << "/t/Vorn2010_1122233300018101G.rec";
        QTest::newRow("upper") << "/t/VORN.DEC" << "/t/VORN.REC";
        QTest::newRow(".dec in the folder") << "/t/copia.dec/x.decl/a.dec" << "/t/copia.dec/x.decl/a.rec";
        QTest::newRow("other extension") << "/t/a.dec.txt" << "";
        QTest::newRow("no extension") << "/t/adec" << "";
    }
    void receiptName()
    {
        QFETCH(QString, declaracao);
        QFETCH(QString, recibo);
        QCOMPARE(NomeReciboTransmissao(declaracao), recibo);
    }

    void transmissionIdentifier_data()
    {
        QTest::addColumn<QString>("nome");      // the declaration file, in the temporary folder
        QTest::addColumn<QString>("recibo");    // the receipt file written beside it ("" none)
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QString>("id");
        const QByteArray resto = "23456789ABCDEF;linha 1\r\nsegunda linha\r\n";
        QTest::newRow("5") << "a.dec" << "a.rec" << "5" + resto << "590523456789";
        QTest::newRow("3") << "a.dec" << "a.rec" << "3" + resto << "390323456789";
        QTest::newRow("9") << "a.dec" << "a.rec" << "9" + resto << "990923456789";
        QTest::newRow("other first character") << "a.dec" << "a.rec" << "7" + resto << "";
        QTest::newRow("short line") << "a.dec" << "a.rec" << QByteArray("512\r\n") << "590512";
        QTest::newRow("upper-case extension") << "A.DEC" << "A.REC" << "5" + resto << "590523456789";
        QTest::newRow("no receipt") << "a.dec" << "" << QByteArray() << " ";
        QTest::newRow("empty receipt") << "a.dec" << "a.rec" << QByteArray() << " ";
        QTest::newRow("empty first line") << "a.dec" << "a.rec" << QByteArray("\r\n5234567890\r\n") << " ";
        QTest::newRow("receipt of another file") << "a.dec" << "b.rec" << "5" + resto << " ";
        QTest::newRow("not a declaration") << "a.txt" << "a.rec" << "5" + resto << " ";
    }
    void transmissionIdentifier()
    {
        QFETCH(QString, nome);
        QFETCH(QString, recibo);
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, id);
        QTemporaryDir pasta;
        escreveArquivo(pasta.filePath(nome), "declaracao");
        if (!recibo.isEmpty())
            escreveArquivo(pasta.filePath(recibo), conteudo);
        QCOMPARE(IdentificacaoTransmissao(pasta.filePath(nome)), id);
    }

    // The first line is read only up to its limit: a receipt of one endless line (a link to /dev/zero),
    // or of one line of 64 MB, gives its answer from the line's first bytes.
    void endlessReceiptLine()
    {
        QTemporaryDir pasta;
        escreveArquivo(pasta.filePath("a.dec"), "declaracao");
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), pasta.filePath("a.rec")));
        QCOMPARE(PrimeiraLinhaRecibo(pasta.filePath("a.rec")).size(), LimiteLinhaRecibo - 1);
        QCOMPARE(IdentificacaoTransmissao(pasta.filePath("a.dec")), QString());

        escreveArquivo(pasta.filePath("b.dec"), "declaracao");
        QFile longo(pasta.filePath("b.rec"));
        QVERIFY(longo.open(QIODevice::WriteOnly));
        longo.write("5" + QByteArray(64 << 20, '7'));
        longo.close();
        QCOMPARE(PrimeiraLinhaRecibo(longo.fileName()).size(), LimiteLinhaRecibo - 1);
        QCOMPARE(IdentificacaoTransmissao(pasta.filePath("b.dec")), QStringLiteral("590577777777"));
    }

    void unreadableReceiptHasNoIdentifier()
    {
        // A folder in place of the receipt cannot be read as a text file.
        QTemporaryDir pasta;
        QVERIFY(QDir(pasta.path()).mkdir("a.rec"));
        QCOMPARE(IdentificacaoTransmissao(pasta.filePath("a.dec")), SemIdentificacaoTransmissao);
    }

private:
    std::unique_ptr<test::TempDataFolder> m_pasta;
};

QTEST_GUILESS_MAIN(TestUgEstrutura)
#include "tst_ugEstrutura.moc"
