#pragma once
// The one answer to an unexpected error: an error box in words the help desk can use, then the end of
// the program.
//
// Event handlers run inside Protege (or are connected through Protegido): the silent abort (EAbort) is
// swallowed there, every other exception goes to GDVORNExcecaoGeral, which passes it to TrataExcecao.
// The application object's notify is the backstop for whatever escapes a handler anyway.
//
// Boxes (each an error box with OK; line breaks are "\n"):
//   EngineError    "Erro BDE " + code, category text, code text(s)   beep first
//   DatabaseError  "Erro DataBase." + blank line + the message          beep first
//   anything else  "Erro fatal." + blank line + the message
// each followed by a blank line, "Erro não previsto." and "Contatar a CATVORN comunicando todos os itens
// da mensagem.". After the box the program is asked to end (TerminaPrograma). The one exception that
// lets the program go on: the engine's lookup error (10756) while a lookup combo box has the focus.
//
// Failures that can be foreseen are told as what they are, naming the folder or file of the program's
// connection, instead of the boxes above:
//   a full disk (DiskFull)                  the data folder named, the operation refused, the program goes on
//   a folder or file that cannot be written the folder or file named, the operation refused, the program goes on
//   a damaged file (DamagedFile)            the file named with the advice to restore a backup copy; the
//                                           program ends (its start-up checks the file and offers the restore)

#include "app/base/EngineError.h"

#include <QString>

#include <exception>
#include <functional>

namespace gdvorn {

// The texts of the three boxes.
QString TextoErroBDE(const EngineError &E);
QString TextoErroDataBase(const DatabaseError &E);
QString TextoErroFatal(const QString &mensagem);

// The texts of the foreseen failures. `pasta` and `arquivo` are paths (shown with native separators);
// an empty one leaves the name out.
QString TextoDiscoCheio(const QString &pasta);
QString TextoSemGravacao(const QString &local); // a folder or a file, as the path is one or the other
QString TextoArquivoDanificado(const QString &arquivo, const QString &motivo);
// The closing of a failure that left everything as it was.
QString TextoNadaAlterado();

// The application-wide exception handler: the silent abort and an empty pointer are discarded, any
// other exception goes to TrataExcecao (one that is no std::exception as "Erro fatal." without message).
void GDVORNExcecaoGeral(std::exception_ptr E);

// Shows the box of E's kind (engine error first, then other database error, then any other), then asks
// the program to end. The silent abort shows nothing.
void TrataExcecao(const std::exception &E);

// The engine error's box: ignored (nothing shown, the program goes on) for code 10756 while a lookup
// combo box has the focus; a foreseen failure (above) told as what it is; otherwise beep, the box, and
// the end of the program.
void MostraErroBDE(const EngineError &E);

// Runs an event handler: true when it ran to its end; false when it stopped with the silent abort
// (swallowed) or with another exception (sent to GDVORNExcecaoGeral).
bool Protege(const std::function<void()> &handler);

// A handler for QObject::connect that runs `handler` inside Protege (the signal's arguments are dropped).
template <class F>
auto Protegido(F handler)
{
    return [handler = std::move(handler)]() mutable { Protege(handler); };
}

// The end of the program after an unexpected error. By default asks the application to leave its
// message loop (queued, so that it also works before the loop runs); tests install their own.
// Returns the one installed before.
std::function<void()> setTerminaPrograma(std::function<void()> termina);
void TerminaPrograma();

// Whether the focused control is a lookup combo box (installed by the application object; without one,
// never). Returns the one installed before.
std::function<bool()> setFocoEmComboLookup(std::function<bool()> teste);

} // namespace gdvorn
