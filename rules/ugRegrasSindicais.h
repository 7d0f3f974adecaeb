#pragma once
// Union-contribution rules of establishments and links: entity CNPJs and their tables, values,
// contributions, membership and the centralised union contribution. Conventions of the library in
// ugRegras.h.
//
// The file-analysis flag (`modoArquivo`) is set by the consistency analysis of a loaded declaration file:
// an absent CNPJ is then fourteen zeros and an empty field counts as present; for entered data an absent
// CNPJ is an empty one. The origin is 0 for an establishment's contribution, 1 for a link's.

#include <QString>

namespace gdvorn {

// The CNPJ of QYV, the body that owns the declaration: exempt from the employers'-entities warning.
inline const QString CnpjQyv = QStringLiteral("37238027000127");

// A contribution field present in a declaration file ("0030" empty with the flag).
QString CriticaCampoPreenchido(const QString &valor, bool modoArquivo);
// Format and check digits of an entity CNPJ ("3746" zeros unless accepted, "0050"/"0051"/"0052" its
// class, "0059" invalid). Callers accept "0000", "0050" and "0051". Kind and origin do not matter.
QString CriticaCnpjEntidade(const QString &cnpj, const QString &tipo, int origem, bool aceitaZeros);
// CNPJs that may not be an entity: the establishment's own ("3742" origin 0, "3743" origin 1) and two
// fixed ones ("3741"). Not trimmed.
QString CriticaCnpjEntidadeVedado(const QString &cnpj, const QString &cnpjProprio, int origem);
// An establishment's entity in the employers' entities table ("3688"); while that table has no rows,
// nothing is refused.
QString CriticaCnpjEntidadeEstab(const QString &cnpj);
// A link's entity in the workers' entities table ("3689"); while that table has no rows, nothing is
// refused.
QString CriticaCnpjEntidadeVinculo(const QString &cnpj);
// An establishment's contribution value, nine digits ("3648" empty).
QString CriticaValorEntidadeEstab(const QString &valor);
// A link's contribution value, eight digits ("3648" empty).
QString CriticaValorEntidadeVinculo(const QString &valor);
// CNPJ and value together ("3744" a value without CNPJ, "3687" no union CNPJ for a link type that owes
// the contribution). Kind "sindical" is the union contribution; origin and flag do not matter.
QString CriticaContribuicao(const QString &cnpj, const QString &valor, const QString &tipo, int origem,
                            bool modoArquivo, const QString &vinculo);

struct ParametrosContribuicaoAusente {
    QString CnpjSindical;
    QString CnpjCentralizado;
    QString Negativa;  // the no-employees indicator
    QString Natureza1; // the first character of the legal nature
    QString Simples;   // the Simples indicator
    bool ModoArquivo = false;
};
// An establishment with employees and without any union contribution ("3687").
QString CriticaContribuicaoAusente(const ParametrosContribuicaoAusente &p);

// Two different associations on a link ("3745").
QString CriticaSegundaAssociativa(const QString &cnpj1, const QString &cnpj2);
// The membership indicator: "1" or "2" ("3704"). Not trimmed.
QString CriticaIndicadorSindicalizado(const QString &indicador);
// Membership against the association CNPJ ("3702"/"3713" member without it, "3757"/"3756" a non-member
// with it, for a link / an establishment).
QString CriticaSindicalizacao(const QString &cnpj, const QString &indicador, int origem);
// No second association without membership ("3757").
QString CriticaNaoSindicalizadoEntidade(const QString &cnpj, const QString &indicador);
// The centralising establishment: another establishment of the same company ("3746" zeros unless
// accepted, "3742" the own CNPJ, "3740" another root, "0059" invalid, else its class).
QString CriticaCnpjCentralizador(const QString &cnpj, const QString &cnpjProprio, bool aceitaZeros);
// Union contribution and centralisation, not both ("3706").
QString CriticaSindicalCentralizada(const QString &cnpjSindical, const QString &cnpjCentralizado, bool modoArquivo);
// The centralisation indicator against its CNPJ ("3719" a CEI establishment with one, "3725" they
// disagree).
QString CriticaCentralizacao(const QString &tipo, const QString &cnpj, const QString &indicador, bool modoArquivo);

} // namespace gdvorn
