#pragma once
// The declaration file writer: writes the chosen establishments and their links into volume files of
// 552-byte records (ugLayoutVorn.h) on a diskette folder ("A", "B") or in the program's Transmite folder
// (any other letter), seals each finished volume with its control hash and records the protocol rows.
//
// Volumes: "Vorn" + base year + "_" + inscription and prefix of the first establishment written (as
// stored) + the volume number with at least two digits + "G" (or "R" for a rectification) + ".dec".
// A volume holds at most 15,994 establishment and link records (8,832,000 bytes less the reserves);
// a diskette's capacity is its size, never more than that. An establishment with links is never started
// in the last free record of a volume, and an establishment whose links run into the next volume is
// written again at its start.
//
// The run: the protocol tables are recreated; responsible, establishment and link tables are read from
// bd8resp/bd8emp/bd8vinc, or te8resp/te8emp/te8vinc (`TabelasTrabalho`; a rectification always takes the
// responsible person and the links from the work tables). Before every record and before sealing the
// progress's cancel request is honoured ("Deseja interromper?": Yes ends the run, No goes on).
//
// A volume's records are laid out in memory; the file is created under the volume's name + ".parcial"
// when the volume is opened, receives the whole volume once its trailer is written and sealed, is synced
// to the medium and renamed then, and the folder is synced (app/base/DurableFile.h), so that a run ended
// at any instant, a power cut included, leaves no cut or empty volume under a volume's name; the next run
// removes the ".parcial" files it finds in the destination. Right before the run's first volume takes
// its name, the volumes that follow it from an earlier run of the same declaration are deleted (those
// with a receipt stay): a run ended between two volumes leaves its own first volumes, never a set of new
// and old ones.
//
// How a run ends:
//   0  done: every volume sealed (unsealed in the split mode), protocol rows kept.
//   1  write error: an I/O error (a full medium included), a chosen establishment missing (its box), a
//      medium below 1,410 bytes, an existing volume that cannot be deleted, a file that cannot be created
//      in the Transmite folder. Nothing of the run is left: the volume being written and the volumes
//      finished before are deleted (on a diskette, those on the disk in the drive).
//   2  interrupted, or a disk or file question refused. The volume being written is deleted; volumes
//      finished before stay sealed.
// On 1 and 2 the protocol tables are dropped.

#include "app/ugListas.h"

#include <QList>
#include <QString>

namespace gdvorn {

class Progresso;

namespace ResultadoGravacao {
inline constexpr quint8 Concluida = 0;
inline constexpr quint8 ErroGravacao = 1;
inline constexpr quint8 Interrompida = 2;
} // namespace ResultadoGravacao

// The capacity of a volume on the fixed destination, and the largest a diskette may have.
inline constexpr qint64 CapacidadeVolume = 8832000;
// Below this a medium is refused.
inline constexpr qint64 CapacidadeMinima = 1410;

//  Lista           the chosen establishments in the order to write them; nullptr: every establishment of
//                  the establishment table in key order
//  Unidade         drive letter
//  BancoDados      the open connection's data folder (empty: that folder)
//  HoraGeracao     hhmmss for the protocol; may be empty
//  DataGeracao     DDMMYYYY for the header and the protocol; may be empty
//  Progresso       the bar of the caller (nullptr: none shown; a cancel cannot reach the run then)
quint8 GravaDeclaracao(const QList<ChaveEstabelecimento> *Lista, const QString &Unidade, const QString &BancoDados,
                       const QString &HoraGeracao, const QString &DataGeracao, bool TabelasTrabalho,
                       bool EhRetificacao, Progresso *Progresso);

// Asks the running writer to stop; it asks for confirmation before its next record. Nothing when no
// writer runs.
void CancelaGravacao();

} // namespace gdvorn
