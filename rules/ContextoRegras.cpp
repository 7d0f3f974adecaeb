#include "rules/ContextoRegras.h"

#include "app/base/EngineError.h"
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

ContextoRegras &contextoRegras()
{
    static ContextoRegras contexto;
    return contexto;
}

} // namespace gdvorn
