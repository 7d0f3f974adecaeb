#pragma once
// A small declaration for the report tests: 11 recorded volumes, two establishments with links, findings,
// structure errors and an import, in a temporary data folder with the installed message texts.

#include "app/base/Schema.h"

#include "TestData.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantMap>
#include <QtTest>

namespace gdvorn::test {

inline void insere(const QString &tabela, const QVariantMap &valores)
{
    const TableDef &t = Schema::require(tabela);
    QSqlDatabase db = QSqlDatabase::database(QStringLiteral("GDVORN"));
    QSqlQuery existe(db);
    existe.exec(t.createTableSql().replace(QStringLiteral("CREATE TABLE "), QStringLiteral("CREATE TABLE IF NOT EXISTS ")));
    QStringList nomes, marcas;
    for (auto it = valores.begin(); it != valores.end(); ++it) {
        nomes << quotedIdentifier(it.key());
        marcas << QStringLiteral("?");
    }
    QSqlQuery q(db);
    QVERIFY(q.prepare(QStringLiteral("insert into %1 (%2) values (%3)").arg(t.name, nomes.join(','), marcas.join(','))));
    for (const QVariant &v : valores)
        q.addBindValue(v);
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
}

inline void criaVazia(const QString &tabela)
{
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("GDVORN")));
    q.exec(Schema::require(tabela).createTableSql().replace(QStringLiteral("CREATE TABLE "),
                                                            QStringLiteral("CREATE TABLE IF NOT EXISTS ")));
}

inline void montaDeclaracao()
{
    // volumes 1..11, inserted out of order; volume 2 holds a CEI establishment
    for (int v : {10, 2, 11, 1, 3, 4, 5, 6, 7, 8, 9}) {
        const QString nu = QString::number(v);
        insere(QStringLiteral("te8proid"),
               {{"NuDisquete", nu}, {"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "11222333000181"},
                {"NuPrefixoEstabelecimento", "00"}, {"InInscrEstabelecimento", "1"},
                {"NoRazaoEstabelecimento", "EMPRESA UM"}, {"NoResponsavelArquivo", "FULANO"},
                {"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"}, {"InRetificacao", v == 2},
                {"DaGeracao", "15012011"}, {"NuEstabelecimentos", "000001"}, {"NuVinculos", "000002"}});
        insere(QStringLiteral("te8proes"),
               {{"NuDisquete", nu}, {"CoCgcCeiEstabelecimento", v == 2 ? "00123456789012" : "11222333000181"},
                {"NuPrefixoEstabelecimento", "00"}, {"CoCgcVinculado", "00000000000000"},
                {"InInscrEstabelecimento", v == 2 ? "3" : "1"}, {"NoRazaoEstabelecimento", "ESTAB " + nu},
                {"NuVinculosEstabelecimento", "000002"}, {"DaEncerramentoAtividade", ""}});
    }
    // two establishments of 2010; the second closed in 2011; a link of another year must not show
    insere(QStringLiteral("bd8emp"), {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "11222333000181"},
                                      {"NuPrefixoEstabelecimento", "00"}, {"InInscrEstabelecimento", "1"},
                                      {"NoRazaoEstabelecimento", "EMPRESA UM"}, {"DaEncerramentoAtividade", "00000000"}});
    insere(QStringLiteral("bd8emp"), {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "00123456789012"},
                                      {"NuPrefixoEstabelecimento", "01"}, {"InInscrEstabelecimento", "3"},
                                      {"NoRazaoEstabelecimento", "0000"}, {"DaEncerramentoAtividade", "31012011"}});
    insere(QStringLiteral("bd8resp"), {{"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"},
                                       {"NoResponsavelArquivo", "FULANO"}, {"CoCpfResponsavel", "12345678909"}});
    auto vinculo = [](const char *ano, const char *insc, const char *pref, const char *pis, const char *nome,
                      const char *deslig) {
        insere(QStringLiteral("bd8vinc"),
               {{"AnBase", ano}, {"CoCgcCeiEstabelecimento", insc}, {"NuPrefixoEstabelecimento", pref},
                {"CoPisPasepEmpregado", pis}, {"DaAdmissaoEmpregado", "01012005"}, {"NoEmpregado", nome},
                {"DaDesligamentoEmpregado", deslig}, {"VaSalContratualEmpregado", "000012345"},
                {"VaGlobalSindical", "00000000"}});
    };
    vinculo("2010", "11222333000181", "00", "12345678901", "ANA", "0000");
    vinculo("2010", "11222333000181", "00", "12345678902", "BIA", "0000");
    vinculo("2010", "00123456789012", "01", "12345678903", "CAIO", "1503");
    vinculo("2009", "00123456789012", "01", "12345678904", "VELHO", "0000");
    // findings: one error with two fields on a link, one warning on an establishment
    auto achado = [](const char *tipo, const char *seq, const char *codigo, const char *lbl, const char *conteudo,
                     const char *reg) {
        insere(QStringLiteral("te8errwa"),
               {{"errwar", tipo}, {"inscricao", "00123456789012"}, {"tipoinscricao", "3"}, {"prefixo", "01"},
                {"tiporegistro", reg}, {"retorno", codigo}, {"razaosocial", "EMPRESA DOIS"},
                {"copispasep", "12345678903"}, {"noempregado", "CAIO"}, {"DaAdmissao", "01012005"}, {"lbl", lbl},
                {"Conteudo", conteudo}, {"Sequencial", seq}});
    };
    achado("err", "000001", "1671", "1610", "12345678903", "2");
    achado("err", "000001", "1671", "1611", "01012005", "2");
    achado("err", "000004", "1672", "1610", "98765432100", "2");
    achado("war", "000002", "1670", "1600", "00123456789012", "1");
    insere(QStringLiteral("te8stru"), {{"AnBase", "2010"}, {"CoMsg", "1600"}, {"Sequencia", "000003"},
                                       {"InscricaoPrefixo", "1122233300018100"}, {"PosicaoInicial", "012"},
                                       {"Conteudo", "ABC"}});
    insere(QStringLiteral("te8imp"), {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "11222333000181"},
                                      {"NuPrefixoEstabelecimento", "00"}, {"CoCgcVinculado", "00000000000000"},
                                      {"InInscrEstabelecimento", "1"}, {"NuVinculosEstabelecimento", "000010"},
                                      {"NuTotalDesligados", "000002"}, {"NuTotalDuplicados", "000001"},
                                      {"NuTotalImportados", "000007"}, {"CoImp", "1600"}, {"Seq", "001"}});
    insere(QStringLiteral("te8imp"), {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "00123456789012"},
                                      {"NuPrefixoEstabelecimento", "01"}, {"CoCgcVinculado", "00000000000000"},
                                      {"InInscrEstabelecimento", "3"}, {"NuVinculosEstabelecimento", "000005"},
                                      {"NuTotalDesligados", "000000"}, {"NuTotalDuplicados", "000000"},
                                      {"NuTotalImportados", "000005"}, {"CoImp", "0000"}, {"Seq", "000"}});
}

} // namespace gdvorn::test
