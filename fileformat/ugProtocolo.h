#pragma once
// The recording protocol of a writer run: te8ProID (one row per volume) and te8ProES (one row per
// establishment record written), read by the recording receipt. Every run recreates both tables; a run
// that fails or is interrupted drops them. Values taken from the tables are copied as stored; counts are
// plain decimals ("7", not "000007"); the volume number has no zero-fill ("1", "10", "100").

#include "app/base/Table.h"

#include <QString>

namespace gdvorn {

// Create (replace) te8ProID / te8ProES on the open connection. `BancoDados` is the data folder the
// caller means: a folder other than the connection's gives false. An engine failure (a full disk, a
// file that cannot be written) reaches the caller as the engine's error, with its text.
bool CriaTabelaProtocolo(const QString &BancoDados);
bool CriaTabelaProtocoloEstab(const QString &BancoDados);
// Drops both tables (nothing when they are absent). It runs after a failed run, so it never throws: a
// table that cannot be dropped now (a full disk, a statement still on it) is replaced by the next run.
// False when a table could not be dropped.
bool ExcluiTabelasProtocolo();

// The rows of one run. A row is appended when its establishment record is written and posted once its
// counts are known: the establishment row at the next establishment record or at the volume's trailer,
// the volume row at the trailer.
class TProtocoloGravacao {
public:
    TProtocoloGravacao();
    void Abre();
    void Fecha();

    // Around an establishment record of volume `volume`; `estabelecimento` and `responsavel` stand on
    // their rows.
    void AntesDoEstabelecimento();
    void DepoisDoEstabelecimento(int volume, Table &estabelecimento, Table &responsavel, bool retificacao,
                                 const QString &dataGeracao, const QString &horaGeracao);
    void Vinculo() { ++m_vinculos; }
    // At the volume's trailer: the counts of its records.
    void FimDoVolume(int tipoUm, int tipoDois);

private:
    Table m_id;
    Table m_es;
    int m_ultimoVolume = 9999; // the volume that last received a te8ProID row
    int m_vinculos = 0;        // links written after the waiting establishment row
    bool m_esPendente = false;
    bool m_idPendente = false;
};

} // namespace gdvorn
