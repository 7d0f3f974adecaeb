#include "rules/ContextoRegras.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Table.h"
#include "app/udmGDVorn.h"
#include "app/ugConfiguracao.h"

namespace gdvorn {

int ContextoRegras::AnoBase() const { return Configuracao().AnoBase; }

TdmGDVorn &ContextoRegras::Tabelas() const
{
    TdmGDVorn *modulo = ModuloTabelas ? ModuloTabelas : dmGDVorn;
    if (!modulo)
        throw DatabaseError(QStringLiteral("The code tables are not open."));
    return *modulo;
}

bool ContextoRegras::TemLinhas(Table &tabela) const
{
    // While no connection has changed or closed since the last answer (dataChanges, which every change
    // of a table's version moves), the answer holds without asking for the version or the handle.
    const quint64 mudancas = dataChanges();
    Contagem &c = m_contagens[&tabela];
    if (c.conexao && c.mudancas == mudancas)
        return c.temLinhas;
    const quint64 versao = dataVersion(tabela.connection(), tabela.TableName());
    sqlite3 *conexao = sqliteHandle(tabela.connection());
    if (c.conexao != conexao || c.versao != versao) {
        c = Contagem{conexao, versao, 0, !tabela.IsEmpty()};
    }
    c.mudancas = mudancas;
    return c.temLinhas;
}

ContextoRegras &contextoRegras()
{
    static ContextoRegras contexto;
    return contexto;
}

} // namespace gdvorn
