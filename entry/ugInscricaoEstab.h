#pragma once
// A stored establishment inscription as the identification rules read it. Inscriptions are stored as
// typed; a CEI may have been stored with 12 digits, without the two zeros that make it 14.

#include <QString>

namespace gdvorn {

// The inscription trimmed and, when shorter than 14 characters, completed with at most two zeros in
// front ("00" + a 12-digit CEI).
QString CompletaInscricaoEstab(const QString &inscricao);

// The class (CriticaInscricao) of the completed inscription.
QString ClasseInscricaoEstab(const QString &inscricao);

} // namespace gdvorn
