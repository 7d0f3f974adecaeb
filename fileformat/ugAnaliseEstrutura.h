#pragma once
// The structure analyser of declaration files: checks a file record by record against the record layout
// and, while it walks, loads it into the work tables te8resp, te8emp and te8vinc.
//
// What a run promises:
// - Any byte sequence is valid input. A file that is not a sound declaration (short, truncated, binary,
//   with bytes that code page 1252 holds as control characters in a loaded field, out of order) ends with
//   one structure finding: one to three rows in te8stru and result 1. Nothing is read past the end of
//   the file.
// - The input is read through a working copy that the run makes in the work folder under a temporary name
//   of its own ("R01TXZZZ-XXXXXX.$$$") and deletes at its end. When the input cannot be read or the copy
//   cannot be made, the run warns "Ocorreu erro na cópia do arquivo <path>" and returns
//   AnaliseNaoRealizada with nothing loaded.
// - The tables of an earlier run (te8resp, te8emp, te8vinc, te8stru) are dropped first; the load is then
//   one transaction: after result 0 or 8 the three work tables hold the whole file and te8stru does not
//   exist; after any other result none of the three exists: results 1, 2 and 4 drop them, and a failure
//   or a killed program rolls their creation back.
// - Progress goes from 0 to 8 during the copy and to 100 at the end; the cancel request of the progress
//   interface (Interrompe) is read at every record and confirmed with "Deseja interromper?".
//
// The header's CREA field is stored in the Crea setting. The header holds no advance-declaration field:
// te8resp.InAntecipacao is set when every establishment of the file is closed ("1") with a closing date
// in the year after its base year, which is what an advance declaration is.

#include "app/base/Database.h"
#include "fileformat/ugLayoutVorn.h"

#include <QString>

namespace gdvorn {

class Progresso;

// Results of AnalisaArquivo; callers test them as values.
enum ResultadoAnalise : quint8 {
    AnaliseIntegra = 0,        // sound and loaded
    AnaliseComOcorrencia = 1,  // a structure finding is in te8stru
    AnaliseNaoRealizada = 2,   // the input could not be read or copied; nothing loaded
    AnaliseInterrompida = 4,   // the user stopped the run
    AnaliseRetificacao = 8,    // sound and loaded, and the header marks a rectification
};

// Ranks of the structure findings.
inline constexpr int PrimeiraOcorrenciaEstrutura = 1900;
inline constexpr int UltimaOcorrenciaEstrutura = 1924;

class TAnaliseEstrutura {
public:
    TAnaliseEstrutura();
    ~TAnaliseEstrutura();
    TAnaliseEstrutura(const TAnaliseEstrutura &) = delete;
    TAnaliseEstrutura &operator=(const TAnaliseEstrutura &) = delete;

    // Read with the previous base year's layout set (the import of a previous-year file sets it). It
    // stays as the caller left it, so the caller can read back which set a run used.
    bool LayoutAnterior = false;
    int TamanhoRegistro = TamanhoRegistroVorn;

    // Checks and loads `Arquivo`. `AnoBase` is the year the establishments must carry (the base year);
    // `ModoImportacao` zeroes the values of a previous-year file's links; `PastaTrabalho` is the folder of
    // the working copy (the data folder); the work tables live in the connection `conexao`.
    // `QtdEstabelecimentos` and `QtdVinculos` receive the rows loaded. `progresso` may be null.
    quint8 AnalisaArquivo(const QString &Arquivo, int AnoBase, bool ModoImportacao, int &QtdEstabelecimentos,
                          int &QtdVinculos, const QString &PastaTrabalho, Progresso *progresso,
                          const QString &conexao = kAlias);

    // Asks the running analysis to stop; it confirms with the user at its next record.
    void Interrompe();

    // The descriptors of the last run's layout set.
    const TDescritoresVorn &Descritores() const { return m_layout; }

private:
    struct Execucao; // the state of one run

    TDescritoresVorn m_layout;
    Progresso *m_progresso = nullptr;
};

} // namespace gdvorn
