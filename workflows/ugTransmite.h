#pragma once
// The transmission of recorded declaration files, without the window: the listing of a folder's files
// with what their receipts say, the list file handed to the transmission program, the run of that
// program, and the receipt's check and the protocol's values.
//
// The transmission program (Configuracao().CaminhoVornNet) is a separate program. It takes no arguments,
// reads the list file ArquivoListaTransmissao() - one line per file: its full path, "1" (sign with a
// digital certificate) or "2", CR LF - and leaves beside every file it sent a receipt named by
// NomeReciboTransmissao. A receipt's first line holds 100 characters:
//   1-9 receipt number ("5", "3" or "9" first), 10-23 CNPJ/CEI of the declarant, 24-33 checksum of the
//   file, 34-38 establishments, 39-44 employment links, 45-52 date DDMMYYYY, 53-56 time HHMM, 57-58 not
//   read, 59-90 control hash of the file, 91-100 the checksum of characters 1-90.
// The checksum is zlib's crc32 written as an unsigned decimal number of at least 10 digits.

#include "app/ugEstrutura.h" // PrimeiraLinhaRecibo

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace gdvorn {

// The window lists at most this many files.
inline constexpr int MaxDeclaracoesListadas = 1000;
// A volume shorter than this has no counts read from its trailer.
inline constexpr int TamanhoMinimoComContagens = 2208;

// A listed declaration file: the columns of its line in the window.
struct DeclaracaoListada {
    QString caminho;
    bool transmitida = false;   // a receipt that passes its check (VerificaCRC) exists beside it
    bool reciboInvalido = false; // a receipt exists but fails its check: the file may be sent again
    bool retificadora = false;  // header character 223 is "1"
    QString crea;               // "590"/"390"/"990" + the receipt's first 9 characters; empty otherwise
    QString inscricao;          // the first establishment's inscription, formatted by its type
    QString prefixo;
    QString sequencial;         // characters 26-27 of the file name
    QString estabelecimentos;   // the trailer's counts without leading zeros; empty for a short file
    QString vinculos;
    QString razaoSocial;
};

struct ListagemDeclaracoes {
    QList<DeclaracaoListada> declaracoes;
    QStringList ilegiveis; // names of the files that matched but could not be read (not listed)
};

// "Vorn" + base year + "*.dec".
QString MascaraDeclaracoes(int anoBase);
// The files of `pasta` that match the mask (without regard to case, hidden files left out), in name
// order, at most MaxDeclaracoesListadas. A file that cannot be read is left out and named in `ilegiveis`;
// the others are listed all the same.
ListagemDeclaracoes ListaDeclaracoes(const QString &pasta, int anoBase);
// The error box that names the files left out.
QString TextoArquivosIlegiveis(const QStringList &nomes);

// The name check before a transmission: the last 32 characters of the path must begin with "Vorn" +
// base year and end with ".dec" (exactly, case included).
bool NomeNoPadrao(const QString &caminho, int anoBase);
// The list file: Raiz() + "/Vornnet.ini".
QString ArquivoListaTransmissao();
// One line of it: the absolute path, "1" with certificate or "2" without, CR LF.
QByteArray LinhaListaTransmissao(const QString &caminho, bool certificado);

// Runs `programa` without arguments, in the program's environment, and waits for its end without a time
// limit and without letting events run. The exit code is not read: the receipts tell what was sent.
struct ResultadoExecucao {
    bool iniciou = false;
    QString motivo; // the system's reason when it did not start
};
ResultadoExecucao ExecAndWait(const QString &programa);

// The checksum of `texto` as the receipts hold it: crc32, "%010u".
QByteArray SomaDeControle(const QByteArray &texto);
// True when the line holds at least 100 characters and characters 91-100 are the checksum of 1-90.
bool VerificaCRC(const QByteArray &linha);

// A count without leading zeros, with a "." before the last three digits when it has 4 to 6; zero is "0".
QString FormataQuantidade(const QString &quantidade);
// A valid CNPJ as a CNPJ, anything else as a CEI.
QString FormataCnpjCei(const QString &inscricao);
// The receipt number: "590", "390" or "990" + characters 1-9 by the first; the 9 characters alone
// otherwise.
QString NumeroRecibo(const QByteArray &linha);
// The ten parameters of the report "Transmissao" for a checked receipt line, in the report's order:
// AnoBase, CREA, CNPJ, QtdVinc, QtdEstab, CRCArqVorn, Data, Hora, Hash, CRCRecibo.
QList<QPair<QString, QString>> ParametrosTransmissao(const QByteArray &linha, int anoBase);

} // namespace gdvorn
