#pragma once
// Fixture of the rule tests: a code-table module over a temporary program folder whose code tables have
// no rows, set as the rule context's module (contextoRegras().ModuloTabelas) for the fixture's life.
// Each test puts in the rows it needs:
//
//     test::FixtureTabelas tabelas;
//     tabelas.insere(QStringLiteral("tb8munic"), {{"CoMunicipio", "3550308"}, {"NoMunicipio", "SAO PAULO"},
//                                                 {"SgUf", "SP"}});
//
// The module's connection is the program's alias ("GDVORN") on <folder>/dados, which also holds the
// work and permanent tables, so the fixture serves the consistency analysis as well.

#include "app/udmGDVorn.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

#include <memory>

namespace gdvorn::test {

class FixtureTabelas {
public:
    FixtureTabelas();
    ~FixtureTabelas(); // gives the rule context back its previous module, then closes the connection
    FixtureTabelas(const FixtureTabelas &) = delete;
    FixtureTabelas &operator=(const FixtureTabelas &) = delete;

    TdmGDVorn &modulo() { return *m_modulo; }
    QString pastaPrograma() const { return m_pasta.path(); }
    QString pastaDados() const;

    // Adds one row to `tabela` (any table of the connection, by name): values by field name, the other
    // fields empty. Any open cursor of the table, the module's among them, sees the row on its next move.
    void insere(const QString &tabela, const QVariantMap &campos);
    // Adds several rows to `tabela`, one map each, in one transaction.
    void insere(const QString &tabela, const QList<QVariantMap> &linhas);
    // Removes every row of `tabela`.
    void esvazia(const QString &tabela);

private:
    QTemporaryDir m_pasta;
    std::unique_ptr<TdmGDVorn> m_modulo;
    TdmGDVorn *m_anterior = nullptr;
};

} // namespace gdvorn::test
