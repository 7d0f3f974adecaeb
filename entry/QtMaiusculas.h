#pragma once
// The upper-case edits of the entry forms: letters become capitals as they are typed.

#include <QValidator>

namespace gdvorn {

class Maiusculas : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &texto, int &) const override
    {
        texto = texto.toUpper();
        return Acceptable;
    }
};

} // namespace gdvorn
