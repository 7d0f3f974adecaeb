#pragma once
// The text search of the code-table pickers. The installed tables keep names upper case with their accents
// ("SÃO PAULO"), so both sides are compared with their accents folded (Ã→A, Ç→C ...) and in capitals:
// "sao paulo" finds "SÃO PAULO", and "SAO" finds "São".

#include <QString>

namespace gdvorn {

// `texto` without its accents (the marks that combine with a letter are dropped), in capitals.
QString DobraAcentos(const QString &texto);

// Whether `texto` holds `procurado`, compared as DobraAcentos leaves them. An empty `procurado` matches
// nothing.
bool ContemTextoPesquisa(const QString &texto, const QString &procurado);

} // namespace gdvorn
