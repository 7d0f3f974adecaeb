#pragma once
// The writes of the employment-link form, without widgets: storing or deleting one link together with the
// establishment's link and foreign-worker counts, the recount alone (for any window that removes links),
// and the 13th-salary plausibility test of the save.
//
// Every write here runs in one transaction: the link and the counts of BD8EMP are stored together or not
// at all. A key violation on posting the link throws KeyViolation before anything is written; the link's
// cursor then stays in edit or insert state with its values, so the form can keep what was typed. Any
// other failure throws too and leaves both tables as they were.

#include "app/ugListas.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace gdvorn {

class Table;

struct ContagemVinculos {
    int vinculos = 0;     // links of the establishment in its year
    int estrangeiros = 0; // of them, with a nationality other than "10" (empty counts as Brazilian)
};

// Counts the links of one establishment of one year.
ContagemVinculos ContaVinculosEstab(const ChaveEstabelecimento &chave);

// Writes the counts into the establishment row under `empresa`'s cursor: NuVinculosEstabelecimento
// zero-padded to 6, NuEstrangeirosEstabelec to 5 (edit, set, post).
void GravaContagemEstab(Table &empresa, const ContagemVinculos &contagem);

// Counts the establishment's links again and stores the counts in its BD8EMP row, in one transaction
// (a savepoint inside the caller's). Nothing is written when the establishment is not there.
ContagemVinculos RecontaVinculosEstab(const ChaveEstabelecimento &chave);

// Posts the link row of `vinculo` (edit or insert state), counts the establishment's links and stores the
// counts in the establishment's row, in one transaction. `empresa` (a cursor on bd8emp in its primary
// order, as the forms share it) is moved to that row by its key wherever it stood; with no such row the
// counts are not stored.
ContagemVinculos GravaVinculoEContagem(Table &vinculo, Table &empresa, const ChaveEstabelecimento &chave);

// Deletes the link row of `vinculo` (a row being inserted is only cancelled), counts again and stores the
// counts in the establishment's row, found by key as above, in one transaction.
ContagemVinculos ExcluiVinculoEContagem(Table &vinculo, Table &empresa, const ChaveEstabelecimento &chave);

// Prepares the link row under `vinculo`'s cursor (edit or insert state) for the form: the optional codes,
// dates and counts that are stored as zeros are blanked, the work-card series gets its five digits, the
// compensation counts their zeros, and the work-permit rule is applied for the base year `anoBase`: only
// a link whose employee is at most 16 years old in that year may hold a permit, and never one of type "55";
// everywhere else InAlvaraEmpregado becomes "2". Returns whether the form lets the user choose the permit.
bool PreparaParaEdicao(Table &vinculo, int anoBase);

// The personal data another link of the year holds for the same PIS/PASEP, under the field names of
// bd8vinc, in the order the form takes them (numbers stored as zeros come blank); nothing when no link of
// that year has the PIS.
using DadosPessoaisPis = QList<QPair<QString, QString>>;
std::optional<DadosPessoaisPis> DadosDoPis(const QString &ano, const QString &pis);

// The 13th salary against the months paid: `meses` the twelve stored monthly values, `adiantamento` and
// `parcelaFinal` the two stored 13th-salary values (texts that are not all digits count as zero). True
// when no month is paid or advance + final is at most 1.5 times the average of the paid months. The
// sums are 64-bit: fourteen values of 999999999 cents add up exactly.
bool ConfereDecimoTerceiro(const QStringList &meses, const QString &adiantamento, const QString &parcelaFinal);

} // namespace gdvorn
