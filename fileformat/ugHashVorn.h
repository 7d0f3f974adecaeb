#pragma once
// The control hash of a declaration volume: 32 upper-case hexadecimal characters in the last 32
// positions of the trailer record, the 32 bytes at file offset size - 34 (the final CR LF follows them).
//
// The hash is the MD5 of every byte of the file except that field, so the same volume gives the same hash
// whether the field holds blanks (when it is sealed) or the hash itself (when it is checked), and a change
// to any other byte changes it.

#include <QByteArray>
#include <QString>

namespace gdvorn {

class Progresso;

inline constexpr int TamanhoHashVorn = 32;

// The hash of the file at `caminho`; empty when the file cannot be read. A file shorter than 34 bytes
// has no hash field and is hashed whole.
QString hashFileGenerate(const QString &caminho);

enum class ResultadoSelo {
    Selado,
    Interrompido,  // the user confirmed an interruption (before sealing: the field stays blank)
    ErroGravacao,  // the file could not be read or written
};

// Seals the closed volume at `caminho`: checks for interruption, writes the hash into its field, checks
// for interruption again (the hash is then already written). `progresso` may be null.
ResultadoSelo SelaVolume(const QString &caminho, Progresso *progresso);
// The same for a whole volume held in memory, before it is written: its bytes are the file's.
ResultadoSelo SelaVolume(QByteArray &volume, Progresso *progresso);

// True when the hash stored in the file equals the hash of its content now. A missing or unreadable file,
// one shorter than 34 bytes, a blank or changed hash field or a changed byte elsewhere give false.
bool ComparaHashArquivo(const QString &caminho);

} // namespace gdvorn
