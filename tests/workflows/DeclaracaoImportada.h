#pragma once
// What the import tests share: rows of a declaration put straight into the work tables (as the analyser
// leaves a loaded file), and a declaration file written from those rows by the record builders.

#include "app/base/Database.h"
#include "app/base/Schema.h"
#include "app/base/Table.h"
#include "fileformat/ugLayoutVorn.h"
#include "fileformat/ugRegistrosVorn.h"

#include <QByteArray>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariantMap>

namespace gdvorn::test {

inline const QString kCnpjA = QStringLiteral("11222333000181");
inline const QString kCnpjB = QStringLiteral("11222333000262");
inline const QString kCnpjC = QStringLiteral("11222333000343");
inline const QString kCei = QStringLiteral("00000100000002");
inline const QString kVinculadoA = QStringLiteral("00123456789012");
inline const QString kVinculadoB = QStringLiteral("00999888777666");

inline void criaTabelasDeTrabalho()
{
    for (const char *t : {"te8resp", "te8emp", "te8vinc"})
        createTable(Schema::require(QLatin1String(t)));
}

inline void insereLinha(const QString &tabela, const QVariantMap &campos)
{
    Table t(tabela);
    t.Open();
    t.Append();
    for (auto it = campos.begin(); it != campos.end(); ++it)
        t.FieldByName(it.key()).setValue(it.value());
    t.Post();
}

// An establishment of `ano` with its prefix, linked CNPJ and employees mark, and the values the record
// layout wants filled.
inline QVariantMap estabelecimento(const QString &ano, const QString &inscricao, const QString &prefixo,
                                   const QString &vinculado, bool comEmpregados, int vinculos = 0)
{
    return {{"AnBase", ano}, {"CoCgcCeiEstabelecimento", inscricao}, {"NuPrefixoEstabelecimento", prefixo},
            {"CoCgcVinculado", vinculado}, {"InInscrEstabelecimento", inscricao.startsWith(QLatin1String("00")) ? "3" : "1"},
            {"NoRazaoEstabelecimento", QStringLiteral("EMPRESA ") + inscricao.right(4)},
            {"InVornNegEstabelecimento", comEmpregados ? "0" : "1"},
            {"NuVinculosEstabelecimento", QString::number(vinculos).rightJustified(6, QLatin1Char('0'))},
            {"NuEstrangeirosEstabelec", "00007"}, {"CoCnae2", "0111301"}, {"InSindicalizada", "1"},
            {"CoCNPJSindical", "00000000000000"}, {"CoCNPJAssociativa", kCnpjA}, {"InEncerramentoAtividade", "2"},
            {"DaEncerramentoAtividade", "00000000"}};
}

// A link of that establishment with its PIS, cause of dismissal and name.
inline QVariantMap vinculo(const QString &ano, const QString &inscricao, const QString &prefixo, const QString &pis,
                           const QString &causa, const QString &nome = QStringLiteral("JOSE DA SILVA"))
{
    QVariantMap v{{"AnBase", ano}, {"CoCgcCeiEstabelecimento", inscricao}, {"NuPrefixoEstabelecimento", prefixo},
                  {"CoPisPasepEmpregado", pis}, {"DaAdmissaoEmpregado", "01022005"}, {"NoEmpregado", nome},
                  {"CoCausaDesligamento", causa}, {"CoNacionalidade", "10"}, {"CoCbo", "411010"},
                  {"CoCNPJSindical", "00000000000000"}, {"CoCNPJPrimAssociativa", kCnpjA},
                  {"InSindicalizadoVinculo", "1"}, {"CoDeficienteFisico", "1"}, {"QtDiasAfas", ""}};
    for (const char *m : {"Janeiro", "Junho", "Dezembro"})
        v.insert(QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(m)), QStringLiteral("176"));
    if (causa != QLatin1String("00"))
        v.insert(QStringLiteral("DaDesligamentoEmpregado"), QStringLiteral("1512"));
    return v;
}

// The declaration file of the rows in te8resp, te8emp and te8vinc, written with `ano` in its year
// fields; every record ends in `terminador`, and `cauda` follows the trailer.
inline QByteArray declaracaoDasTabelasDeTrabalho(int ano, const QByteArray &terminador = "\r\n",
                                                 const QByteArray &cauda = QByteArray())
{
    Table resp(QStringLiteral("te8resp")), emp(QStringLiteral("te8emp")), vinc(QStringLiteral("te8vinc"));
    resp.Open();
    emp.Open();
    vinc.Open();
    if (resp.IsEmpty()) {
        resp.Append();
        resp.FieldByName(QStringLiteral("NoResponsavelArquivo")).setAsString(QStringLiteral("ESCRITORIO CONTABIL"));
        resp.Post();
    }
    resp.First();
    TContextoRegistro ctx;
    ctx.AnoBase = ano;
    ctx.Versao = QStringLiteral("2010.01.03");
    ctx.CodigoSO = QStringLiteral("0");
    ctx.DataGeracao = QStringLiteral("15012011");
    ctx.DataRetificacao = QStringLiteral("00000000");
    QByteArray bytes;
    const auto registro = [&](const QString &texto) {
        bytes += CodificaCp1252(texto) + terminador;
        ++ctx.Sequencial;
    };
    emp.First();
    ctx.Inscricao = emp.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString();
    ctx.Prefixo = emp.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString();
    registro(RegistroTipoZero(resp, ctx));
    for (; !emp.Eof(); emp.Next()) {
        ctx.Inscricao = emp.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString();
        ctx.Prefixo = emp.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString();
        registro(RegistroTipoUm(emp, ctx));
        ++ctx.TotalTipoUm;
        for (vinc.First(); !vinc.Eof(); vinc.Next()) {
            if (vinc.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString() != ctx.Inscricao ||
                vinc.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString() != ctx.Prefixo)
                continue;
            registro(RegistroTipoDois(vinc, ctx));
            ++ctx.TotalTipoDois;
        }
    }
    registro(RegistroTipoNove(resp, ctx));
    return bytes + cauda;
}

// The rows of a query, each as its values joined with "|".
inline QStringList linhas(const QString &sql)
{
    QStringList r;
    QSqlQuery q(database());
    q.exec(sql);
    const int n = q.record().count();
    while (q.next()) {
        QStringList c;
        for (int i = 0; i < n; ++i)
            c << q.value(i).toString();
        r << c.join(QLatin1Char('|'));
    }
    return r;
}

inline void gravaArquivo(const QString &nome, const QByteArray &bytes)
{
    QFile f(nome);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

} // namespace gdvorn::test
