#include "fileformat/ugTerminadorVorn.h"

namespace gdvorn {

namespace {

constexpr unsigned char CR = 13;
constexpr unsigned char LF = 10;

} // namespace

int LineBreakKindAt(const unsigned char *buffer, int pos)
{
    const unsigned char a = buffer[pos - 2];
    const unsigned char b = buffer[pos - 1];
    if (a == CR)
        return b == LF ? TerminadorCrLf : TerminadorCr;
    if (a == LF)
        return b == CR ? TerminadorLfCr : TerminadorLf;
    return SemTerminador;
}

bool IsLineBreakKindAt(const unsigned char *registro, int pitch, int kind)
{
    switch (kind) {
    case TerminadorCrLf: return registro[pitch - 2] == CR && registro[pitch - 1] == LF;
    case TerminadorLfCr: return registro[pitch - 2] == LF && registro[pitch - 1] == CR;
    case TerminadorCr: return registro[pitch - 1] == CR;
    case TerminadorLf: return registro[pitch - 1] == LF;
    default: return true;
    }
}

int TamanhoTerminador(int kind)
{
    return kind == TerminadorCrLf || kind == TerminadorLfCr ? 2 : (kind == SemTerminador ? 0 : 1);
}

bool CaudaCtrlZ(unsigned char primeiro, qint64 restante, int pitch)
{
    return restante > 0 && restante <= pitch && primeiro == CtrlZVorn;
}

} // namespace gdvorn
