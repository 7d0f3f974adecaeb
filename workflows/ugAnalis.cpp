#include "workflows/ugAnalis.h"

#include "app/base/Schema.h"
#include "rules/ugConsistencia.h"
#include "rules/ugRegrasResponsavel.h"

namespace gdvorn {

bool AnaliseViaTransmissao = false;

QString ModoResultadoDe(quint8 consistencia, bool particao)
{
    if (particao)
        return QStringLiteral("3");
    const bool erros = consistencia & Consistencia::HaErros;
    const bool avisos = consistencia & Consistencia::HaAvisos;
    if (erros)
        return avisos ? QStringLiteral("2") : QStringLiteral("1");
    return avisos ? QStringLiteral("0") : QStringLiteral("3");
}

QString CriticaCreaAnalise(const QString &crea)
{
    const QString texto = crea.trimmed();
    const QString codigo = CriticaCrea(texto);
    if (codigo != QLatin1String("0000"))
        return codigo;
    return CriticaCreaRetificacao(texto, QStringLiteral("1"));
}

namespace {

void remove(std::initializer_list<const char *> tabelas, const QString &conexao)
{
    for (const char *t : tabelas)
        dropTable(Schema::require(QLatin1String(t)), conexao);
}

} // namespace

void RemoveTabelasAnalise(const QString &conexao)
{
    remove({"te8emp", "te8vinc", "te8resp", "te8errwa", "te8stru", "te8imp"}, conexao);
}

void RemoveTabelasProtocolo(const QString &conexao) { remove({"te8proid", "te8proes"}, conexao); }

} // namespace gdvorn
