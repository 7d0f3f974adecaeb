#pragma once
// Money in the entry forms: a stored value is cents as digits, zero-filled to its field's width
// (ValorCentavos); a money edit shows it with "###,##0.00" ("." thousands, "," decimals, blanks in front
// as FormataValor puts them), is edited without the thousands separators, and its text is turned back
// into cents when the record is saved. The establishment form and the link form differ only in the
// options below. No state.

#include <QString>

namespace gdvorn {

// How a zero (empty or all-zero stored text) is shown: plain "0,00", or aligned as FormataValor shows it.
enum class ZeroMostrado { Simples, Alinhado };

// Display text of stored cents: the value zero-filled to 9, "," before its last two digits, through
// FormataValor. A text that is not a number gives "Erro" (FormataValor's answer).
QString TextoDoValor(const QString &centavos, ZeroMostrado zero);

// The text to edit: trimmed, every "." removed. A blank text gives "0,00" when `vazioComoZero`, else stays
// as it is.
QString TextoEdicaoValor(const QString &texto, bool vazioComoZero);

// Cents of a money text that carries two decimals (as the money format leaves it): trimmed, every "." and
// "," removed, zeros in front up to `largura`. A longer result stays whole: the checks refuse it.
QString CentavosDoTexto(const QString &texto, int largura);

// Cents of typed text: FormataValor first (so "1.234,5" gives "000123450" at width 9); empty when the text
// is not a number.
QString CentavosDoDigitado(const QString &texto, int largura);

// The steps of a money text typed in an edit, before the field's own rule: the text through FormataValor
// (`Formatado`; "0040" when it is no number), then its cents at `largura` (`Centavos`; "0315" when they are
// longer). `Codigo` "0000" when both pass.
struct ValorDigitado {
    QString Codigo;
    QString Formatado;
    QString Centavos;
};
ValorDigitado PassosValor(const QString &texto, int largura);

// The establishment form's union values: plain zero, blank edited as "0,00", 9 digits.
QString MostraValorSindical(const QString &centavos);
QString PreparaValorEdicao(const QString &texto);
QString ValorEmCentavos(const QString &texto);

// The link form's values: aligned zero, blank left blank, 9 or 8 digits.
QString MostraValor(const QString &centavos);
QString DesformataValor(const QString &texto);
QString ValorGravacao9(const QString &texto);
QString ValorGravacao8(const QString &texto);

} // namespace gdvorn
