#include "rules/ugRegrasContato.h"

#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "rules/ugRegras.h"

#include <initializer_list>

namespace gdvorn {

namespace {

struct DddsUf {
    int uf;
    std::initializer_list<int> ddds;
};

// The area codes of each state; a state that is not here accepts any area code.
const DddsUf kDddsUf[] = {
    {11, {69}}, {12, {68}}, {13, {92, 97}}, {14, {95}}, {15, {91, 93, 94}}, {16, {96}}, {17, {63}},
    {21, {98, 99}}, {22, {86, 89}}, {23, {85, 88}}, {24, {84}}, {25, {83}}, {26, {81, 87}}, {27, {82}},
    {28, {79}}, {29, {71, 73, 74, 75, 77}}, {31, {31, 32, 33, 34, 35, 37, 38}}, {32, {27, 28}},
    {33, {21, 22, 24}}, {35, {11, 12, 13, 14, 15, 16, 17, 18, 19}}, {41, {41, 42, 43, 44, 45, 46}},
    {42, {47, 48, 49}}, {43, {51, 53, 54, 55}}, {50, {67}}, {51, {65, 66}}, {52, {61, 62, 64}}, {53, {61}},
};

bool presente(const QString &v) { return !v.isEmpty() && !SoZeros(v); }

QString criticaEmail(QString &email, const QString &vazio)
{
    email = TextoAparado(email);
    if (email.isEmpty())
        return vazio;
    if (!TextoImprimivel(email))
        return QStringLiteral("0020");
    return ValidaEmail(email) ? CodigoValido : QStringLiteral("3627");
}

} // namespace

QString CriticaDDD(const QString &ddd)
{
    const QString v = TextoAparado(ddd);
    if (v.isEmpty() || SoZeros(v) || !EhNumerico(v))
        return QStringLiteral("3674");
    return CodigoValido;
}

QString CriticaTelefone(const QString &numero)
{
    const QString v = TextoAparado(numero);
    if (v.isEmpty())
        return QStringLiteral("3674");
    if (v.size() != 8)
        return QStringLiteral("3101");
    if (SoZeros(v) || !EhNumerico(v))
        return QStringLiteral("3674");
    return CodigoValido;
}

QString CriticaTelefoneCompleto(const QString &ddd, const QString &numero)
{
    const bool comDdd = presente(TextoAparado(ddd));
    const bool comNumero = presente(TextoAparado(numero));
    if (comDdd != comNumero)
        return QStringLiteral("3101");
    return comDdd ? CodigoValido : QStringLiteral("3102");
}

QString CriticaDDDUf(const QString &ddd, const QString &uf)
{
    const QString d = QStringLiteral("0") + TextoAparado(ddd).left(2);
    const QString u = TextoAparado(uf);
    if (SoZeros(d) || !EhNumerico(d) || SoZeros(u) || !EhNumerico(u))
        return CodigoValido;
    const int estado = u.toInt();
    const int codigo = d.toInt();
    for (const DddsUf &e : kDddsUf) {
        if (e.uf != estado)
            continue;
        for (int c : e.ddds) {
            if (c == codigo)
                return CodigoValido;
        }
        return QStringLiteral("0402");
    }
    return CodigoValido;
}

QString CriticaEmailEstab(QString &email) { return criticaEmail(email, CodigoValido); }

QString CriticaEmailResp(QString &email) { return criticaEmail(email, QStringLiteral("3778")); }

} // namespace gdvorn
