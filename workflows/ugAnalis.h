#pragma once
// What the analysis wizard decides without a window: the page its consistency result leads to, the CREA
// check of a rectification file, and the work tables each page leaves behind.

#include "app/base/Database.h"

#include <QString>

namespace gdvorn {

// The wizard was started by the transmission window on one of its files: the file name is given. Set by
// that window for the run it starts and cleared when the run returns.
extern bool AnaliseViaTransmissao;

// The result panel of page 01 for a consistency result (bits 4 interrupted, 2 errors, 1 warnings):
// "3" no findings (and always in split mode), "2" errors and warnings, "1" errors only, "0" warnings only.
QString ModoResultadoDe(quint8 consistencia, bool particao);

// The CREA of a rectification file: CriticaCrea first, then CriticaCreaRetificacao with the indicator
// "1", on the trimmed text; the first code other than "0000", or "0000".
QString CriticaCreaAnalise(const QString &crea);

// Drops what the check, the consistency analysis and the correction path leave: te8emp, te8vinc,
// te8resp, te8errwa, te8stru and te8imp.
void RemoveTabelasAnalise(const QString &conexao = kAlias);
// Drops the protocol tables the writer filled: te8proid, te8proes.
void RemoveTabelasProtocolo(const QString &conexao = kAlias);

} // namespace gdvorn
