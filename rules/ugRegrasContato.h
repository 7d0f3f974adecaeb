#pragma once
// Telephone and e-mail rules of the establishment and of the responsible person. Conventions of the
// library in ugRegras.h; an input passed as `QString &` receives its trimmed value.

#include <QString>

namespace gdvorn {

// The area code: digits, not zeros ("3674"); its length is not tested.
QString CriticaDDD(const QString &ddd);
// The telephone number: eight digits ("3101" another length, "3674" zeros or not digits).
QString CriticaTelefone(const QString &numero);
// Area code and number both given ("3101" only one, "3102" neither); zeros count as absent.
QString CriticaTelefoneCompleto(const QString &ddd, const QString &numero);
// The area code against the state code ("0402" not one of the state's area codes).
QString CriticaDDDUf(const QString &ddd, const QString &uf);
// The establishment's e-mail: optional ("0020" not printable, "3627" not an address).
QString CriticaEmailEstab(QString &email);
// The responsible person's e-mail: required ("3778"), then as the establishment's.
QString CriticaEmailResp(QString &email);

} // namespace gdvorn
