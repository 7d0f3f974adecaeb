#pragma once
// How the records of a declaration file end: the line break that follows each record (its kind is the one
// the first record shows at bytes 551-552, 1-based) and the Ctrl-Z that a file may carry after its
// trailer. The structure analyser walks a file with these rules, and whoever needs the trailer of a file
// without analysing it (the import's count test) finds it with the same ones.

#include <QtGlobal>

namespace gdvorn {

// Kinds of line break.
enum TipoTerminador : int {
    SemTerminador = 0,
    TerminadorCrLf = 1,
    TerminadorLfCr = 2,
    TerminadorCr = 3,
    TerminadorLf = 4,
};

inline constexpr unsigned char CtrlZVorn = 26;

// The kind of line break formed by the bytes at 1-based positions pos - 1 and pos of `buffer`
// (which must hold pos bytes): CR LF, LF CR, CR alone, LF alone or none.
int LineBreakKindAt(const unsigned char *buffer, int pos);

// Whether the terminator of `registro`, ending at 1-based position `pitch`, is of kind `kind` (always
// true for SemTerminador).
bool IsLineBreakKindAt(const unsigned char *registro, int pitch, int kind);

// The bytes of a terminator of that kind (0, 1 or 2).
int TamanhoTerminador(int kind);

// Whether the `restante` bytes that follow the trailer, the first of which is `primeiro`, are the
// end-of-file mark a file may carry: a Ctrl-Z first, and no more than one record's pitch in all.
bool CaudaCtrlZ(unsigned char primeiro, qint64 restante, int pitch);

} // namespace gdvorn
