#pragma once
// Entry masks of the program's fields, written as the stored tables declare them ("99.999.999/9999-99;0;_"),
// turned into Qt input masks, and the text of a masked edit turned back into the stored value.
//
// The declared mask has up to three parts separated by ";": the mask, whether literals are stored ("0": no,
// the default here; "1": yes) and the blank character ("_" when absent or empty). In the mask "9" is an
// optional digit, "0" a required digit, "L"/"l" a required/optional letter, "A"/"a" a required/optional
// letter or digit, "C"/"c" a required/optional character, "#" an optional digit or sign, ">" and "<" upper
// and lower case, "!" is dropped, "\" makes the next character a literal, "_" stands for a blank and any
// other character is a literal.

#include <QString>

namespace gdvorn {

struct MascaraEdicao {
    QString qt;             // the Qt input mask, blank character included ("00.000.000/0000-00;_")
    bool guardaLiterais = false;
    QChar branco = QLatin1Char('_');
};

MascaraEdicao ConverteMascara(const QString &mascara);

// The stored value of a masked edit's display text (QLineEdit::displayText: every position of the mask
// in place, blanks where nothing was typed): the characters typed, in order, blanks skipped, and the
// literals too when the mask stores them. A text shorter than the mask is read as far as it goes.
QString ValorDaMascara(const QString &mascara, const QString &textoExibido);

// The display text of a stored value: the value's characters fill the mask's input positions in order
// (literals in the value are skipped where the mask stores them), the positions left get the blank.
QString TextoDaMascara(const QString &mascara, const QString &valor);

} // namespace gdvorn
