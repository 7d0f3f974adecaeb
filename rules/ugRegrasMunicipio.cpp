#include "rules/ugRegrasMunicipio.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

const TCriticaVorn CriticaVornGlobal;

namespace {

struct CepsEspeciais {
    int uf;
    std::initializer_list<const char *> prefixos;
    int inicial; // inclusive range of prefixes; 0 when none
    int final;
};

// CEP prefixes accepted for a state besides its municipalities' own.
const CepsEspeciais kCepsEspeciais[] = {
    {11, {"78939"}, 0, 0},
    {17, {"77714", "77785"}, 0, 0},
    {21, {"65368"}, 0, 0},
    {22, {"64180", "64764"}, 0, 0},
    {23, {"62230", "62790", "62980", "63165"}, 0, 0},
    {24, {"59182", "59245", "59260", "59270", "59290", "59440", "59680", "59950"}, 0, 0},
    {25, {}, 58124, 58978},
    {26, {}, 53400, 56870},
    {27, {"57150", "57180", "57420", "57490", "57525", "57630", "57700"}, 0, 0},
    {28, {"49130", "49500", "49580", "49670", "49700", "49945", "49970"}, 0, 0},
    {29, {}, 44270, 48895},
    {31, {}, 33000, 39848},
    {32, {"29135", "29350", "29845"}, 0, 0},
    {33, {"25880", "27600", "28380", "28500", "28660"}, 0, 0},
    {35, {"09000"}, 11300, 19300},
    {41, {}, 84950, 87840},
    {42, {}, 88180, 89998},
    {43, {}, 94800, 99950},
    {50, {}, 79000, 79980},
    {51, {}, 78110, 78795},
    {52, {}, 73860, 76530},
    {53, {}, 70640, 73499},
};

QString campo(Table &t, const char *nome) { return t.FieldByName(QLatin1String(nome)).AsString(); }

// A CEP range of tb8fxcep, prefixes widened to whole CEPs; an empty or non-numeric bound holds nothing.
bool naFaixa(qint64 cep, const QString &inicial, const QString &final)
{
    const QString i = TextoAparado(inicial), f = TextoAparado(final);
    if (!EhNumerico(i) || !EhNumerico(f))
        return false;
    return cep >= (i + QStringLiteral("000")).toLongLong() && cep <= (f + QStringLiteral("999")).toLongLong();
}

} // namespace

QString CriticaCep(const QString &cep)
{
    const QString v = TextoAparado(cep);
    if (v.isEmpty())
        return QStringLiteral("0081");
    const QString numerico = CriticaNumericoCampo(v, 8);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(v))
        return QStringLiteral("0081");
    if (v.startsWith(QLatin1String("00")))
        return QStringLiteral("0080");
    return CodigoValido;
}

QString CriticaCodigoMunicipio(const QString &codigo)
{
    const QString v = TextoAparado(codigo);
    if (v.isEmpty())
        return QStringLiteral("0092");
    const QString numerico = CriticaNumericoCampo(v, 7);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(v))
        return QStringLiteral("0092");
    return contextoRegras().Tabelas().taMunicipio.FindKey({v}) ? CodigoValido : QStringLiteral("0090");
}

QString CriticaMunicipioTrabalho(const QString &codigo)
{
    const QString v = TextoAparado(codigo);
    const QString numerico = CriticaNumericoCampo(v, 7);
    if (numerico != CodigoValido)
        return numerico;
    return contextoRegras().Tabelas().taMunicipio.FindKey({v}) ? CodigoValido : QStringLiteral("0090");
}

QString CodigoUfDaSigla(const QString &sigla)
{
    const QString v = TextoAparado(sigla);
    if (v.isEmpty())
        return QString();
    Table &uf = contextoRegras().Tabelas().taUF;
    uf.setIndexName(QStringLiteral("ISgUf"));
    QString codigo;
    try {
        if (uf.FindKey({v}))
            codigo = campo(uf, "CoUf");
    } catch (...) {
        uf.setIndexName(QString());
        throw;
    }
    uf.setIndexName(QString());
    return codigo;
}

QString CriticaSiglaUf(const QString &sigla)
{
    const QString v = TextoAparado(sigla);
    if (v.isEmpty() || SoZeros(v))
        return QStringLiteral("0101");
    return CodigoUfDaSigla(v).isEmpty() ? QStringLiteral("0100") : CodigoValido;
}

QString CriticaUfMunicipio(const QString &codigo, const QString &sigla)
{
    const QString c = TextoAparado(codigo);
    const QString s = TextoAparado(sigla);
    if (c.isEmpty() || SoZeros(c) || s.isEmpty())
        return CodigoValido;
    Table &uf = contextoRegras().Tabelas().taUF;
    if (uf.FindKey({c.left(2)}) && campo(uf, "SgUf").trimmed() != s)
        return QStringLiteral("0091");
    return CodigoValido;
}

QString CriticaNomeMunicipio(QString &nome, const QString &codigo)
{
    nome = TextoAparado(nome);
    if (nome.isEmpty())
        return QStringLiteral("0093");
    // The installed municipality names keep their accents ("SÃO PAULO"): the text check judges the
    // letters under them, so that a name as the table gives it is never refused for its accents.
    const QString texto = CriticaTexto(DobraAcentos(nome));
    if (texto != CodigoValido)
        return texto;
    const QString c = TextoAparado(codigo);
    Table &municipio = contextoRegras().Tabelas().taMunicipio;
    if (c.isEmpty() || !municipio.FindKey({c}))
        return CodigoValido;
    // Names are stored in 30-character fields; the table's are 40 wide.
    return nome == campo(municipio, "NoMunicipio").left(30).trimmed() ? CodigoValido : QStringLiteral("3666");
}

QString CriticaCepEspecialUf(const QString &cep, const QString &codigo)
{
    const QString v = TextoAparado(cep);
    const QString c = TextoAparado(codigo);
    if (!EhNumerico(v) || !EhNumerico(c))
        return CodigoValido;
    if (v.size() >= 5 && c.size() >= 2) {
        const QString prefixo = v.left(5);
        const int uf = c.left(2).toInt();
        for (const CepsEspeciais &e : kCepsEspeciais) {
            if (e.uf != uf)
                continue;
            for (const char *p : e.prefixos) {
                if (prefixo == QLatin1String(p))
                    return CodigoValido;
            }
            const int n = prefixo.toInt();
            if (e.inicial && n >= e.inicial && n <= e.final)
                return CodigoValido;
        }
    }
    return QStringLiteral("0082");
}

QString CriticaCepMunicipio(const QString &cep, const QString &codigo, bool aceitaSemCep)
{
    const QString v = TextoAparado(cep);
    const QString c = TextoAparado(codigo);
    if (v.isEmpty() || SoZeros(v) || c.isEmpty() || SoZeros(c))
        return CodigoValido;
    TdmGDVorn &tabelas = contextoRegras().Tabelas();
    if (!tabelas.taMunicipio.FindKey({c}))
        return CodigoValido;
    if (campo(tabelas.taMunicipio, "InFaixa") == QLatin1String("0")) {
        const QString cepUnico = campo(tabelas.taMunicipio, "CoCep").trimmed();
        if (v.left(5) == cepUnico && !cepUnico.isEmpty())
            return CodigoValido;
        if (cepUnico.isEmpty() && aceitaSemCep)
            return CodigoValido;
        return CriticaCepEspecialUf(v, c);
    }
    Table &faixa = tabelas.taFaixaCEP;
    if (!faixa.FindKey({c}))
        return QStringLiteral("0082");
    if (v.size() == 8 && EhNumerico(v)) {
        const qint64 n = v.toLongLong();
        if (naFaixa(n, campo(faixa, "CoCep1Inicial"), campo(faixa, "CoCep1Final")) ||
            naFaixa(n, campo(faixa, "CoCep2Inicial"), campo(faixa, "CoCep2Final")))
            return CodigoValido;
    }
    return CriticaCepEspecialUf(v, c);
}

QString CriticaCepUf(const QString &cep, const QString &uf)
{
    const QString v = TextoAparado(cep);
    const QString u = TextoAparado(uf);
    if (v.isEmpty() || SoZeros(v) || u.isEmpty() || SoZeros(u) || !EhNumerico(v))
        return CodigoValido;
    const int prefixo = v.left(5).toInt();
    Query &q = contextoRegras().Tabelas().qryUfCep;
    q.Close();
    q.ParamByName(QStringLiteral("xCoUf")).setAsStored(QStringLiteral("tbufcep"), QStringLiteral("CoUf"), u);
    bool dentro = false;
    try {
        for (q.Open(); !q.Eof() && !dentro; q.Next()) {
            const QString i = q.FieldByName(QStringLiteral("CoCepInicial")).AsString().trimmed();
            const QString f = q.FieldByName(QStringLiteral("CoCepFinal")).AsString().trimmed();
            dentro = EhNumerico(i) && EhNumerico(f) && prefixo >= i.toInt() && prefixo <= f.toInt();
        }
    } catch (...) {
        q.Close();
        throw;
    }
    q.Close();
    return dentro ? CodigoValido : QStringLiteral("0083");
}

ResultadoMunicipio TCriticaVorn::CriticaMunicipio(const QString &codigo, const QString &cep) const
{
    ResultadoMunicipio r{QStringLiteral("0"), CriticaCodigoMunicipio(codigo), QString(), QString()};
    if (r.Codigo != CodigoValido) {
        r.Status = QStringLiteral("1");
        return r;
    }
    const QString c = TextoAparado(codigo);
    TdmGDVorn &tabelas = contextoRegras().Tabelas();
    r.NoMunicipio = campo(tabelas.taMunicipio, "NoMunicipio").trimmed();
    const QString cepUnico = campo(tabelas.taMunicipio, "CoCep").trimmed();
    if (tabelas.taUF.FindKey({c.left(2)}))
        r.SgUf = campo(tabelas.taUF, "SgUf").trimmed();
    r.Codigo = CriticaCepMunicipio(cep, c, false);
    if (r.Codigo == CodigoValido)
        return r;
    if (CriticaCepUf(cep, c.left(2)) != CodigoValido) {
        r.Status = QStringLiteral("3");
        r.Codigo = QStringLiteral("0083");
    } else if (!cepUnico.isEmpty()) {
        r.Status = QStringLiteral("2");
    } else {
        r.Status = QStringLiteral("4");
        r.Codigo = CodigoValido;
    }
    return r;
}

} // namespace gdvorn
