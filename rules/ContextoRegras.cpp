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
    sqlite3 *conexao = sqliteHandle(tabela.connection());
    const quint64 versao = dataVersion(tabela.connection(), tabela.TableName());
    Contagem &c = m_contagens[&tabela];
    if (c.conexao != conexao || c.versao != versao) {
        c = Contagem{conexao, versao, !tabela.IsEmpty()};
    }
    return c.temLinhas;
}

ContextoRegras &contextoRegras()
{
    static ContextoRegras contexto;
    return contexto;
}

} // namespace gdvorn
