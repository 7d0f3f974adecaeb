#pragma once
// The destinations of declaration files. Drives "A" and "B" are diskettes: a drive exists when
// $GDVORN_UNIDADE_A (or _B) names a folder, and it is ready when that folder exists and holds a readable
// medium. Drive "C" is the fixed destination and always stands for the program's "Transmite" folder,
// never for a root folder. None of these routines creates a folder; a missing "Transmite" holds nothing.
//
// File attributes are taken for the callers' sake and mean nothing here: every entry but "." and ".."
// counts.

#include <QString>
#include <QStringList>

#include <functional>

namespace gdvorn {

// The attributes the callers pass (directory + archive).
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;

// Clears `letras` and adds "A" and "B" when their variables are set, then "C", in that order.
void ListaDrives(QStringList &letras);

// The folder of a drive: the folder in $GDVORN_UNIDADE_A/_B for "A"/"B" (empty when unset), the
// program's "Transmite" folder for any other letter; lower case accepted. No separator at the end.
QString PastaDaUnidade(const QString &letra);
// The drive whose folder holds the file at `caminho` ("A" or "B" when it lies in a diskette folder,
// otherwise "C"): where the last recording went, from the path the writer left in the settings.
QString UnidadeDoArquivo(const QString &caminho);
// True for "A" and "B" (either case): a removable destination.
bool EhDisquete(const QString &letra);

// The size in bytes of the medium in the drive (its total size, not its free space); -1 when no medium
// can be read; 0 for a character that is not a letter A-Z (either case).
qint64 TamanhoDisco(const QString &letra);
// True when the drive has a readable medium; false for anything but a letter.
bool DriveDisponivel(const QString &letra);

// The query behind TamanhoDisco: given an existing folder, the total size of its medium or -1. Tests
// replace it to simulate a medium of any size; an empty function restores the real one. Returns the
// query installed before.
using ConsultaTamanho = std::function<qint64(const QString &pasta)>;
ConsultaTamanho setConsultaTamanho(ConsultaTamanho consulta);

// While the drive is not ready, shows "Disquete com problema ou não há disquete no drive X:" (OK and
// Cancel); Cancel asks "Deseja interromper?": Yes gives false, No asks again. True once it is ready; at once for
// the fixed destination.
bool AguardaDisquete(const QString &letra);
// Asks "Insira o disquete # n", a line break, "no drive X:" (OK and Cancel) at least once, and again
// after OK while the drive is not ready; Cancel followed by Yes to "Deseja interromper?" gives false.
bool PedeDisquete(const QString &letra, int numero);

// "A"/"B": the drive's folder holds any entry; any other letter: "Transmite" holds a "*.dec" file.
bool DestinoComArquivos(const QString &letra, int atributos);
// The drive's folder holds at least two entries.
bool DisqueteTemArquivos(const QString &letra, int atributos);
// The file `nome` exists in the drive's folder.
bool ExisteArquivoNoDestino(const QString &letra, int atributos, const QString &nome);

} // namespace gdvorn
