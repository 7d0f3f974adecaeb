#pragma once
// Tables of cases for the field rules: each row names a rule, its inputs in order and the code expected.
//
//     void regras_data() { test::colunasDeRegras(); test::caso("vazio", "CriticaSexo", {""}, "3524"); }
//     void regras() { test::verificaCaso(kRegras); }
//
// where kRegras maps rule names to callables over the list of inputs (test::regra adapts a rule whose
// inputs are all texts). Every code is also checked to be four characters long.

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <utility>

namespace gdvorn::test {

using Regra = std::function<QString(const QStringList &)>;

// A rule of text inputs as a Regra; missing inputs are empty texts.
template <typename... Entradas>
Regra regra(QString (*funcao)(Entradas...))
{
    return [funcao](const QStringList &e) {
        return [&]<std::size_t... I>(std::index_sequence<I...>) {
            return funcao(e.value(qsizetype(I))...);
        }(std::index_sequence_for<Entradas...>{});
    };
}

// The columns "regra", "entradas" and "esperado".
void colunasDeRegras();
// One row of the table.
void caso(const char *nome, const char *regra, const QStringList &entradas, const char *esperado);
// Runs the current row's rule from `regras` and compares its code.
void verificaCaso(const QHash<QString, Regra> &regras);

// Every code a unit's rules return has its installed message row: `erros` of kind "ERR", `avisos` of
// kind "WAR" (expectInstalledMessages).
void verificaMensagens(std::initializer_list<const char *> erros, std::initializer_list<const char *> avisos = {});

} // namespace gdvorn::test
