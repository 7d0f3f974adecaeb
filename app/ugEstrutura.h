#pragma once
// Structure copy of a table (the work tables te8emp, te8vinc, te8resp are made like the permanent tables
// they stand for) and the transmission identifier read from the receipt that the transmission program
// leaves beside a transmitted declaration file.

#include "app/base/Database.h"

#include <QByteArray>
#include <QString>

namespace gdvorn {

// Creates `novaTabela` with the fields of `tabelaModelo` (names, types and widths, in order) and, when
// `comIndices`, its indexes, replacing a table of the same name. Both names are catalogue names without
// ".db" (any case); `bancoDados` is the connection. The model must exist in its file. Errors of the engine
// (a missing model, a table in use, a name the catalogue does not know) are thrown to the caller.
void CriaTabelaComEstrutura(const QString &tabelaModelo, const QString &novaTabela, const QString &bancoDados,
                            bool comIndices);

// The same job; false on any error (nothing is shown), true otherwise. `erro`, when given, receives the
// error's text (the engine's words: a table in use, a full disk ...), or "" on success.
bool CopiaEstruturaTabela(const QString &tabelaModelo, const QString &novaTabela, const QString &bancoDados,
                          bool comIndices, QString *erro = nullptr);

// The transmission identifier of a file that has none.
inline const QString SemIdentificacaoTransmissao = QStringLiteral(" ");

// The receipt of a declaration file: its name with the extension ".dec" (any case) replaced by ".rec" in
// the same case ("x.dec" -> "x.rec", "X.DEC" -> "X.REC"). Empty for a name whose extension is not ".dec".
QString NomeReciboTransmissao(const QString &arquivoDeclaracao);

// The first line of a receipt, without its line end, read up to LimiteLinhaRecibo bytes (a receipt line
// is 100 characters: a longer line, or a name that leads to an endless device, is cut there); empty when
// it cannot be read.
inline constexpr qint64 LimiteLinhaRecibo = 4096;
QByteArray PrimeiraLinhaRecibo(const QString &arquivoRecibo);

// "590", "390" or "990" followed by the first 9 characters of the receipt's first line, by the line's
// first character ("5", "3", "9"); "" when it begins with another character; SemIdentificacaoTransmissao
// when there is no receipt, it cannot be read or its first line is empty.
QString IdentificacaoTransmissao(const QString &arquivoDeclaracao);
// The same from a receipt's first line already read (PrimeiraLinhaRecibo); SemIdentificacaoTransmissao
// when it is empty.
QString IdentificacaoRecibo(const QByteArray &linha);

} // namespace gdvorn
