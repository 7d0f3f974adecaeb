#include "FixtureTabelas.h"

#include "app/base/Database.h"
#include "app/base/Table.h"
#include "rules/ContextoRegras.h"

#include <QDir>

namespace gdvorn::test {

FixtureTabelas::FixtureTabelas()
{
    const QString dados = QDir(m_pasta.path()).filePath(QStringLiteral("dados"));
    QDir().mkpath(dados);
    createDataFolder(dados);
    m_modulo = std::make_unique<TdmGDVorn>(m_pasta.path());
    m_anterior = contextoRegras().ModuloTabelas;
    contextoRegras().ModuloTabelas = m_modulo.get();
}

FixtureTabelas::~FixtureTabelas()
{
    contextoRegras().ModuloTabelas = m_anterior;
    m_modulo.reset();
}

QString FixtureTabelas::pastaDados() const { return m_modulo->DatabaseDirectory(); }

void FixtureTabelas::insere(const QString &tabela, const QVariantMap &campos)
{
    insere(tabela, QList<QVariantMap>{campos});
}

void FixtureTabelas::insere(const QString &tabela, const QList<QVariantMap> &linhas)
{
    Transaction tr;
    Table t(tabela);
    t.Open();
    for (const QVariantMap &campos : linhas) {
        t.Append();
        for (auto it = campos.cbegin(); it != campos.cend(); ++it)
            t.FieldByName(it.key()).setValue(it.value());
        t.Post();
    }
    tr.commit();
}

void FixtureTabelas::esvazia(const QString &tabela)
{
    Table t(tabela);
    t.Open();
    t.EmptyTable();
}

} // namespace gdvorn::test
