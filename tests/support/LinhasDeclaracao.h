#pragma once
// Rows of the declaration tables for the entry tests: an establishment or a link written through the
// table layer from a map of field values (fields not given stay blank), and counts read back.

#include "app/base/Database.h"
#include "app/base/Table.h"

#include <QSqlQuery>
#include <QVariantMap>

namespace gdvorn::test {

inline void gravaLinha(const QString &tabela, const QVariantMap &campos)
{
    Table t(tabela);
    t.Open();
    t.Append();
    for (auto it = campos.begin(); it != campos.end(); ++it)
        t.FieldByName(it.key()).setAsString(it.value().toString());
    t.Post();
}

// An establishment of `ano` (type "1" unless given otherwise in `outros`).
inline void gravaEstab(const QString &ano, const QString &inscricao, const QString &prefixo,
                       const QString &razao, const QVariantMap &outros = {})
{
    QVariantMap c{{QStringLiteral("AnBase"), ano},
                  {QStringLiteral("CoCgcCeiEstabelecimento"), inscricao},
                  {QStringLiteral("NuPrefixoEstabelecimento"), prefixo},
                  {QStringLiteral("NoRazaoEstabelecimento"), razao},
                  {QStringLiteral("InInscrEstabelecimento"), QStringLiteral("1")},
                  {QStringLiteral("CoCgcVinculado"), QStringLiteral("00000000000000")}};
    c.insert(outros);
    gravaLinha(QStringLiteral("bd8emp"), c);
}

inline void gravaVinculo(const QString &ano, const QString &inscricao, const QString &prefixo,
                         const QString &pis, const QString &nome, const QVariantMap &outros = {})
{
    QVariantMap c{{QStringLiteral("AnBase"), ano},
                  {QStringLiteral("CoCgcCeiEstabelecimento"), inscricao},
                  {QStringLiteral("NuPrefixoEstabelecimento"), prefixo},
                  {QStringLiteral("CoPisPasepEmpregado"), pis},
                  {QStringLiteral("NoEmpregado"), nome},
                  {QStringLiteral("DaAdmissaoEmpregado"), QStringLiteral("01022009")},
                  {QStringLiteral("InInscrEstabelecimento"), QStringLiteral("1")},
                  {QStringLiteral("CoCgcVinculado"), QStringLiteral("00000000000000")}};
    c.insert(outros);
    gravaLinha(QStringLiteral("bd8vinc"), c);
}

// Rows of `tabela` (bd8emp, bd8vinc) whose year, inscription and prefix are those given; an empty
// prefix counts every prefix.
inline int contaLinhas(const QString &tabela, const QString &ano, const QString &inscricao,
                       const QString &prefixo = QString())
{
    QSqlQuery q(database());
    q.prepare(QStringLiteral("SELECT count(*) FROM %1.%1 WHERE AnBase = ? AND CoCgcCeiEstabelecimento = ?"
                             " AND (? = '' OR NuPrefixoEstabelecimento = ?)").arg(tabela));
    q.addBindValue(ano);
    q.addBindValue(inscricao);
    // A null text would bind as NULL.
    const QString p = prefixo.isEmpty() ? QStringLiteral("") : prefixo;
    q.addBindValue(p);
    q.addBindValue(p);
    q.exec();
    q.next();
    return q.value(0).toInt();
}

// One field of the establishment row ("<none>" when the row is not there).
inline QString campoEstab(const QString &ano, const QString &inscricao, const QString &prefixo,
                          const QString &campo)
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    return t.FindKey({ano, inscricao, prefixo}) ? t.FieldByName(campo).AsString() : QStringLiteral("<none>");
}

} // namespace gdvorn::test
