#include "entry/ugPesquisa.h"

namespace gdvorn {

QString DobraAcentos(const QString &texto)
{
    const QString decomposto = texto.normalized(QString::NormalizationForm_D);
    QString dobrado;
    dobrado.reserve(decomposto.size());
    for (QChar c : decomposto)
        if (c.category() != QChar::Mark_NonSpacing)
            dobrado += c;
    return dobrado.toUpper();
}

bool ContemTextoPesquisa(const QString &texto, const QString &procurado)
{
    if (procurado.isEmpty())
        return false;
    return DobraAcentos(texto).contains(DobraAcentos(procurado));
}

} // namespace gdvorn
