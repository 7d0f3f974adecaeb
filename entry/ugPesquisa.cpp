#include "entry/ugPesquisa.h"

#include "app/ugFuncoes.h"

namespace gdvorn {

bool ContemTextoPesquisa(const QString &texto, const QString &procurado)
{
    if (procurado.isEmpty())
        return false;
    return DobraAcentos(texto).contains(DobraAcentos(procurado));
}

} // namespace gdvorn
