#pragma once
// The satisfaction survey's answers: 22 characters stored in BD8RESP.NuRespostaPesquisa, position n the
// answer to question n. An answer typed as two digits is stored as one character:
//   01..09 -> "1".."9", 10 -> "A", 77 (does not apply) -> "X", 00 or nothing (no answer) -> "B";
// any other value is refused.

#include <QChar>
#include <QString>

namespace gdvorn {

inline constexpr int QtdPerguntasPesquisa = 22;

// 22 x "B": a survey not answered.
QString RespostasEmBranco();
// A stored string as 22 answers: its first 22 characters, with "B" for those it lacks.
QString CompletaRespostas(const QString &armazenadas);
// The code of a typed answer (left-padded with zeros to two characters first); false when refused.
bool CodificaResposta(const QString &digitada, QChar &codigo);
// How an answer is shown in its edit: "A" as 10, "X" as 77, "B" as nothing, a digit d as 0d.
QString MostraResposta(QChar codigo);

// The answers stored in the first row of BD8RESP, completed; RespostasEmBranco when it has no row.
QString LeRespostasPesquisa();
// Stores the answers: in the existing row, or in a new row holding only them.
void GravaRespostasPesquisa(const QString &respostas);

} // namespace gdvorn
