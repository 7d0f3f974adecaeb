// The employee list's rows while its filter is typed: narrowing the rows held must list exactly what a
// fresh reading lists (the engine's LIKE: a prefix, ASCII letters in either case, wildcards, accents as
// themselves), in the same order; it reads nothing while the filter grows, and reads again when it
// shrinks, when the letters give way to a name, when the establishment changes or the links were written.

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/udmEntradaDados.h"
#include "entry/ugConEmpreg.h"

#include "LinhasDeclaracao.h"
#include "ProgramaTeste.h"

#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

FiltroVinculo porNome(const QString &nome)
{
    FiltroVinculo f;
    f.nome = nome;
    return f;
}

const QString kAno = QStringLiteral("2010");
const QString kCnpj = QStringLiteral("11222333000181");
const ChaveEstabelecimento kEstab{kAno, kCnpj, QStringLiteral("00")};
const ChaveEstabelecimento kFilial{kAno, kCnpj, QStringLiteral("01")};

// The links of the establishment: names that tell a prefix from a wildcard and ASCII case from accents.
void declaracao()
{
    gravaEstab(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("ACME"));
    gravaEstab(kAno, kCnpj, QStringLiteral("01"), QStringLiteral("ACME FILIAL"));
    const char *const vinculos[][2] = {{"10000000001", "ANA"},         {"10000000002", "ANABELA"},
                                       {"10000000003", "ANTONIO"},     {"12000000004", "AXA"},
                                       {"12100000005", "ÂNGELA"},      {"12200000006", "ana lucia"},
                                       {"20000000007", "ÉRICO"},       {"20000000008", "ERICO"},
                                       {"20000000009", "A_B"},         {"30000000010", "A%B"},
                                       {"30000000011", "BRUNO"},       {"30000000012", "BEATRIZ"}};
    for (const auto &v : vinculos)
        gravaVinculo(kAno, kCnpj, QStringLiteral("00"), QLatin1String(v[0]), QString::fromUtf8(v[1]));
    gravaVinculo(kAno, kCnpj, QStringLiteral("01"), QStringLiteral("10000000013"), QStringLiteral("ANA FILIAL"));
}

QStringList nomes(const ModeloVinculos &m)
{
    QStringList r;
    for (int i = 0; i < m.rowCount(); ++i)
        r << m.linha(i).pis + QLatin1Char(' ') + m.linha(i).nome;
    return r;
}

// What a fresh reading lists for `filtro`.
QStringList lidos(const ContextoConsulta &contexto, const FiltroVinculo &filtro)
{
    Query q;
    ModeloVinculos m;
    MontaQueryVinculos(q, contexto, filtro);
    m.carrega(q);
    return nomes(m);
}

ContextoConsulta contextoDe(const ChaveEstabelecimento &chave)
{
    ContextoConsulta c;
    LeContextoConsulta(chave, c);
    return c;
}

} // namespace

class tst_ugConEmpreg : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_programa = std::make_unique<ProgramaTeste>();
        declaracao();
    }
    void cleanup() { m_programa.reset(); }

    void filtroDigitado_data();
    void filtroDigitado();
    void releQuandoPreciso();

private:
    std::unique_ptr<ProgramaTeste> m_programa;
};

void tst_ugConEmpreg::filtroDigitado_data()
{
    // The filters in the order the user gives them: "pis|nome|letras" each.
    QTest::addColumn<QStringList>("passos");
    QTest::newRow("name typed") << QStringList{"||", "|A|", "|AN|", "|ANA|", "|ANAB|", "|ANABX|"};
    QTest::newRow("lower case typed") << QStringList{"|a|", "|an|", "|ana |", "|ana l|"};
    QTest::newRow("accent is not a case") << QStringList{"|Â|", "|É|", "|E|", "|ER|"};
    QTest::newRow("wildcards") << QStringList{"|A|", "|A_|", "|A_B|", "|A%|", "|A%B|"};
    QTest::newRow("PIS and name") << QStringList{"1||", "12||", "12|A|", "121|A|", "1|A|", "|A|"};
    QTest::newRow("shrinks and grows") << QStringList{"|ANT|", "|AN|", "|A|", "|AX|", "||", "|B|"};
    QTest::newRow("letters and PIS") << QStringList{"||A", "1||A", "12||A", "12|A|A"};
    QTest::newRow("letters then a name") << QStringList{"||AE", "||A", "|ANA|A", "|B|A", "|B|"};
    QTest::newRow("text changed in the middle") << QStringList{"|AN|", "|BN|", "|BNA|"};
}

// Each filter, given after the previous ones, lists what a fresh reading lists.
void tst_ugConEmpreg::filtroDigitado()
{
    QFETCH(QStringList, passos);
    const ContextoConsulta contexto = contextoDe(kEstab);
    Query q;
    ModeloVinculos modelo;
    for (const QString &passo : passos) {
        const QStringList p = passo.split(QLatin1Char('|'));
        const FiltroVinculo filtro{p.at(0), p.at(1), p.at(2).left(1), p.at(2).mid(1, 1)};
        modelo.filtra(q, contexto, filtro);
        QCOMPARE(nomes(modelo), lidos(contexto, filtro));
    }
}

// While the filter grows nothing is read (the query is left as it was); the rows held give way to a
// reading for another establishment and after a write to the links.
void tst_ugConEmpreg::releQuandoPreciso()
{
    const ContextoConsulta contexto = contextoDe(kEstab);
    Query q;
    ModeloVinculos modelo;
    modelo.filtra(q, contexto, {});
    QCOMPARE(modelo.rowCount(), 12);
    q.clearSql();
    for (const char *nome : {"A", "AN", "ANA", "ANA"})
        modelo.filtra(q, contexto, porNome(QLatin1String(nome)));
    QVERIFY(q.sql().isEmpty());
    QCOMPARE(modelo.rowCount(), 3); // ANA, ANABELA, ana lucia

    gravaVinculo(kAno, kCnpj, QStringLiteral("00"), QStringLiteral("40000000014"), QStringLiteral("ANA NOVA"));
    modelo.filtra(q, contexto, porNome(QStringLiteral("ANA N")));
    QVERIFY(!q.sql().isEmpty());
    QCOMPARE(nomes(modelo), QStringList{QStringLiteral("40000000014 ANA NOVA")});

    const ContextoConsulta filial = contextoDe(kFilial);
    modelo.filtra(q, filial, porNome(QStringLiteral("ANA F")));
    QCOMPARE(nomes(modelo), QStringList{QStringLiteral("10000000013 ANA FILIAL")});

    q.clearSql();
    modelo.esquece();
    modelo.filtra(q, filial, porNome(QStringLiteral("ANA F")));
    QVERIFY(!q.sql().isEmpty());
}

QTEST_GUILESS_MAIN(tst_ugConEmpreg)
#include "tst_ugConEmpreg.moc"
