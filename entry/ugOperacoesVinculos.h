#pragma once
// The work of the bulk link wizards, without widgets: deleting many links of one establishment, moving
// links to a new establishment, giving every link of an establishment a new link-type code; and the
// look-ups their pages make before it.
//
// Links are named by their full key (the eleven key fields of BD8VINC as stored, in key order): two links
// with the same PIS/PASEP and admission date are two keys, and exactly the one chosen is touched.
//
// Each operation is one transaction: all of it or nothing, also when the program dies halfway. The
// deletion and the code change first commit their marker on the establishment ("4", "5") on its own and
// clear it inside the transaction, so a run that dies leaves the links untouched and the marker in
// place (notice 0503 or 0504 at the next choice); a confirmed cancel or a failure (a full disk) rolls
// everything back and clears the marker. The transfer sets and clears the destination's marker "3" inside its own transaction.
// Each operation ends with the links and the foreign workers of every establishment it touched counted
// again (quContaEmpreg, quContaEstrang of dmEntradaDados, which must exist) and stored.

#include "app/ugListas.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace gdvorn {

class Progresso;

// The eleven key fields of a link in key order, and a link's values of them as stored.
const QStringList &CamposChaveVinculo();
using ChaveVinculo = QStringList;

// A line of a check list (the layouts of ugListas) with the key of the row behind it.
struct VinculoMarcavel {
    QString Linha;
    ChaveVinculo Chave;
};
struct EstabelecimentoListado {
    QString Linha;
    ChaveEstabelecimento Chave;
};

// The links of an establishment in list order: `ordem` "0" by PIS/PASEP, anything else by name (ties
// in key order).
QList<VinculoMarcavel> ListaVinculos(const ChaveEstabelecimento &estab, const QString &ordem);
// The establishments of `ano` whose declaration has employees, as the wizards' first pages list them.
QList<EstabelecimentoListado> ListaEstabelecimentosComVinculos(const QString &ano);

// One field of the establishment's row, trimmed; nullopt when there is no such row.
std::optional<QString> CampoEstabelecimento(const ChaveEstabelecimento &estab, const QString &campo);

// Writes `marca` into the establishment's InOpcaoAberta with one statement (inside the transaction
// under way, if any; committed at once otherwise).
void MarcaOperacao(const ChaveEstabelecimento &estab, const QString &marca);
// Clears the marker of an operation that failed and was rolled back. Called while that failure is being
// reported, it throws nothing: a marker it cannot clear stays, as after a crash.
void DesmarcaAposFalha(const ChaveEstabelecimento &estab);

// Deletes the given links of the establishment (those no longer there are skipped) and returns how many
// went; nullopt when the user confirmed a cancel (nothing deleted). The links go in steps of FatiaVinculos,
// one statement each; the bar counts the links.
std::optional<int> ExcluiVinculosMarcados(const ChaveEstabelecimento &estab, const QList<ChaveVinculo> &vinculos,
                                          Progresso &progresso);

// The transfer's destination: its key (inscription stored completed, "00" before a 12-digit CEI) and
// its inscription type ("1" CNPJ, "3" CEI).
struct DestinoTransferencia {
    ChaveEstabelecimento Chave;
    QString Tipo;
};

// Two of `vinculos` that would become one key at the transfer's destination (they differ only in the
// fields the transfer overwrites: the linked CEI and the inscription type), as their positions in the
// list; nullopt when every link keeps a key of its own.
std::optional<std::pair<int, int>> ColisaoNaTransferencia(const QList<ChaveVinculo> &vinculos);

// Creates the destination with its defaults and moves the given links of `origem` to it, each taking
// the destination's inscription, prefix and type and a linked CEI of zeros; then both establishments are
// recounted, the links in steps of FatiaVinculos as the deletion's. Returns the links moved; nullopt after
// a confirmed cancel (nothing written). The steps, in
// the transaction in this order: IncluiEstabelecimentoDestino (marker "3"), MoveVinculos,
// DiminuiVinculosOrigem (the source recounted), DesmarcaDestino (the destination recounted, unmarked).
// KeyViolation when the destination exists; DatabaseError, before anything is written, when two of the
// links would collide there (ColisaoNaTransferencia).
std::optional<int> TransfereVinculos(const ChaveEstabelecimento &origem, const DestinoTransferencia &destino,
                                     const QList<ChaveVinculo> &vinculos, Progresso &progresso);

// Gives every link of the establishment the link-type code `codigo` and, in the same statement, the
// first 100 characters of its description (NoVinculo of tb8vinc) in TxtVinculo; the links go in slices of
// FatiaVinculos. Returns the links changed; nullopt after a confirmed cancel (nothing changed).
std::optional<int> AlteraCodigoVinculo(const ChaveEstabelecimento &estab, const QString &codigo,
                                       Progresso &progresso);

// Links per step of the bulk operations: each step is one statement over at most this many links.
inline constexpr int FatiaVinculos = 1000;

} // namespace gdvorn
