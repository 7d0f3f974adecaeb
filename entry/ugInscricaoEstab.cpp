#include "entry/ugInscricaoEstab.h"

#include "rules/ugRegrasInscricao.h"

namespace gdvorn {

QString CompletaInscricaoEstab(const QString &inscricao)
{
    QString t = inscricao.trimmed();
    for (int i = 0; i < 2 && t.size() < 14; ++i)
        t.prepend(QLatin1Char('0'));
    return t;
}

QString ClasseInscricaoEstab(const QString &inscricao) { return CriticaInscricao(CompletaInscricaoEstab(inscricao)); }

} // namespace gdvorn
