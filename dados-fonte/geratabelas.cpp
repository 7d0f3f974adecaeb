// Builds a data folder from the code-table sources: every <table>.tsv of the source folder is loaded
// into that table of tabelas.db, column by the names of its header line. The permanent tables are made
// empty. A value wider than its field, an unknown table or column stops the build.
//
//   geratabelas <source folder> <data folder>

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <cstdio>

using namespace gdvorn;

namespace {

void fail(const QString &text)
{
    std::fprintf(stderr, "geratabelas: %s\n", qPrintable(text));
    std::exit(1);
}

void load(const QString &path, const QString &connection)
{
    const QString tableName = QFileInfo(path).completeBaseName().toLower();
    const TableDef *def = Schema::table(tableName);
    if (!def || def->file != QLatin1String("tabelas"))
        fail(QStringLiteral("%1: no installed code table named %2").arg(path, tableName));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("%1: cannot be read").arg(path));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    const QStringList header = in.readLine().split(QLatin1Char('\t'));
    QList<const FieldDef *> fields;
    QStringList columns, marks;
    for (const QString &h : header) {
        const FieldDef *f = def->field(h.trimmed());
        if (!f)
            fail(QStringLiteral("%1: %2 has no field %3").arg(path, tableName, h));
        fields << f;
        columns << QLatin1Char('"') + f->name + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    QSqlQuery q(database(connection));
    q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(def->qualifiedName(), columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    int line = 1;
    while (!in.atEnd()) {
        const QString text = in.readLine();
        ++line;
        if (text.isEmpty())
            continue;
        const QStringList values = text.split(QLatin1Char('\t'));
        if (values.size() != fields.size())
            fail(QStringLiteral("%1:%2: %3 values for %4 columns").arg(path).arg(line).arg(values.size()).arg(fields.size()));
        for (int i = 0; i < values.size(); ++i) {
            const FieldDef *f = fields[i];
            if (f->type == FieldType::Boolean) {
                q.addBindValue(values[i].trimmed() == QLatin1String("1"));
                continue;
            }
            // Text is stored trimmed, as every write of the table layer stores it.
            const QString value = values[i].trimmed();
            if (value.size() > f->width)
                fail(QStringLiteral("%1:%2: %3 is wider than %4 characters").arg(path).arg(line).arg(f->name).arg(f->width));
            q.addBindValue(value);
        }
        if (!q.exec())
            fail(QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(q.lastError().text()));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        fail(QStringLiteral("usage: geratabelas <source folder> <data folder>"));
    const QDir source(args[1]);
    const QDir target(args[2]);
    target.mkpath(QStringLiteral("."));
    for (const QString &f : Schema::databaseFiles())
        QFile::remove(target.filePath(Schema::fileName(f)));
    try {
        createDataFolder(target.path());
        QFile::remove(target.filePath(Schema::fileName(QStringLiteral("trabalho"))));
        const QString conn = QStringLiteral("geratabelas");
        openDatabase(target.path(), conn);
        {
            Transaction t(conn);
            for (const QString &tsv : source.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name))
                load(source.filePath(tsv), conn);
            t.commit();
        }
        closeDatabase(conn);
        // The connection makes trabalho.db; the installed folder does not carry one.
        QFile::remove(target.filePath(Schema::fileName(QStringLiteral("trabalho"))));
    } catch (const DatabaseError &e) {
        fail(e.message());
    }
    return 0;
}
