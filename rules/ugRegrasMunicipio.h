#pragma once
// Municipality, state and CEP rules, and the combined municipality check of the forms (TCriticaVorn).
// Conventions of the library in ugRegras.h. A municipality code is 7 digits whose first two are the
// state code; CEP prefixes are the first five digits of a CEP.

#include <QString>

namespace gdvorn {

// The CEP's format ("0081" empty or zeros, "0080" beginning with "00").
QString CriticaCep(const QString &cep);
// The municipality of an address ("0092" empty or zeros, "0090" not in tb8munic); found, tb8munic
// stands on its row.
QString CriticaCodigoMunicipio(const QString &codigo);
// The work-place municipality of a link ("0090" not in tb8munic; seven zeros are looked up as any code).
QString CriticaMunicipioTrabalho(const QString &codigo);
// The state abbreviation ("0101" empty or zeros, "0100" not in tbuf).
QString CriticaSiglaUf(const QString &sigla);
// The state abbreviation against the municipality's state ("0091").
QString CriticaUfMunicipio(const QString &codigo, const QString &sigla);
// The municipality name ("0093" empty, then the text check) against the name of municipality `codigo`
// ("3666"), as the 30-character fields store it. An empty or unknown code gives "0000": the code's own
// rule reports it.
QString CriticaNomeMunicipio(QString &nome, const QString &codigo);
// The CEP against the municipality: its single CEP prefix or its two tb8fxcep ranges, then the state's
// special CEPs ("0082"). With `aceitaSemCep`, a single-CEP municipality without a CEP accepts any CEP.
QString CriticaCepMunicipio(const QString &cep, const QString &codigo, bool aceitaSemCep);
// The CEP against the special CEPs accepted for the municipality's state ("0082").
QString CriticaCepEspecialUf(const QString &cep, const QString &codigo);
// The CEP against the CEP ranges of state `uf` in tbUfCep ("0083").
QString CriticaCepUf(const QString &cep, const QString &uf);

// The state code of an abbreviation, from tbuf; empty when the abbreviation is not there.
QString CodigoUfDaSigla(const QString &sigla);

// The result of the combined check.
struct ResultadoMunicipio {
    QString Status;      // "0" valid, "1" code refused, "2"/"3"/"4" CEP outside the municipality's CEPs
    QString Codigo;      // the message code ("0000" with status "0" and "4")
    QString NoMunicipio; // the municipality's name (trimmed); empty with status "1"
    QString SgUf;        // its state's abbreviation; empty with status "1"
};

// The combined municipality and CEP check of the forms.
class TCriticaVorn {
public:
    ResultadoMunicipio CriticaMunicipio(const QString &codigo, const QString &cep) const;
};

// The one instance of the program.
extern const TCriticaVorn CriticaVornGlobal;

} // namespace gdvorn
