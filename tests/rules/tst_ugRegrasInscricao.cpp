// Inscription rules: every code of each rule, in the order its tests decide, and the conventions that all
// rules share (trimmed inputs, four-character codes, never "X").

#include "rules/ugRegras.h"
#include "rules/ugRegrasInscricao.h"

#include "app/base/Table.h"

#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QString kCnpj = QStringLiteral("11222333000181");       // valid CNPJ only
const QString kCei = QStringLiteral("00000100000002");        // valid CEI only ("00" + 12 digits)
const QString kAmbos = QStringLiteral("00000100001602");      // valid as CNPJ and as CEI
const QString kCpf = QStringLiteral("12345678909");
const QString kCpfZeros = QStringLiteral("00000000191");      // a valid CPF that begins with "000"
const QString kNenhum = QStringLiteral("11222333000180");     // 14 digits, neither

// Runs a rule by name with its inputs in order.
QString aplica(const QString &regra, const QString &a, const QString &b, const QString &c)
{
    if (regra == QLatin1String("CriticaInscricao")) return CriticaInscricao(a);
    if (regra == QLatin1String("CriticaInscricaoPorTipo")) return CriticaInscricaoPorTipo(a, b);
    if (regra == QLatin1String("CriticaTipoInscricao")) return CriticaTipoInscricao(a);
    if (regra == QLatin1String("CriticaPrefixo")) return CriticaPrefixo(a);
    if (regra == QLatin1String("CriticaCeiVinculado")) return CriticaCeiVinculado(a);
    if (regra == QLatin1String("CriticaCnpjVinculado")) return CriticaCnpjVinculado(a, b);
    if (regra == QLatin1String("CriticaInscricaoResponsavel")) return CriticaInscricaoResponsavel(a, b.toInt());
    if (regra == QLatin1String("CriticaTipoInscricaoResp")) return CriticaTipoInscricaoResp(a, b);
    if (regra == QLatin1String("CriticaCodigoInscricaoResp")) return CriticaCodigoInscricaoResp(a);
    if (regra == QLatin1String("CriticaCpfInscricaoResp")) return CriticaCpfInscricaoResp(a, b, c);
    qFatal("unknown rule");
    return QString();
}

} // namespace

class tst_ugRegrasInscricao : public QObject {
    Q_OBJECT

private slots:
    void regras_data();
    void regras();
    void criticasGenericasNuncaDaoX_data();
    void criticasGenericasNuncaDaoX();
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasInscricao::regras_data()
{
    QTest::addColumn<QString>("regra");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("esperado");
    const QString n;
    const auto linha = [](const char *nome, const char *regra, const QString &a, const QString &b, const QString &c,
                          const char *esperado) {
        QTest::newRow(nome) << QString::fromLatin1(regra) << a << b << c << QString::fromLatin1(esperado);
    };
    const auto s = [](const char *t) { return QString::fromLatin1(t); };

    linha("inscricao vazia", "CriticaInscricao", s("   "), n, n, "0055");
    linha("inscricao com letra", "CriticaInscricao", s("1122233300018A"), n, n, "0040");
    linha("CEI sem os 00", "CriticaInscricao", kCei.mid(2), n, n, "0040");
    linha("inscricao longa", "CriticaInscricao", kCnpj + s("1"), n, n, "0040");
    linha("CNPJ e CEI", "CriticaInscricao", kAmbos, n, n, "0050");
    linha("CNPJ com brancos", "CriticaInscricao", s(" ") + kCnpj + s(" "), n, n, "0051");
    linha("CEI", "CriticaInscricao", kCei, n, n, "0052");
    linha("nenhum", "CriticaInscricao", kNenhum, n, n, "0053");

    linha("por tipo: inscricao vazia", "CriticaInscricaoPorTipo", n, s("1"), n, "0000");
    linha("por tipo: tipo zeros", "CriticaInscricaoPorTipo", kNenhum, s("0"), n, "0000");
    linha("por tipo: CNPJ valido", "CriticaInscricaoPorTipo", kCnpj, s("1"), n, "0000");
    linha("por tipo: CEI como CNPJ", "CriticaInscricaoPorTipo", kCei, s("1"), n, "0134");
    linha("por tipo: zeros como CNPJ", "CriticaInscricaoPorTipo", s("00000000000000"), s("1"), n, "0134");
    linha("por tipo: CEI valido", "CriticaInscricaoPorTipo", kCei, s(" 3 "), n, "0000");
    linha("por tipo: CNPJ como CEI", "CriticaInscricaoPorTipo", kCnpj, s("3"), n, "0135");
    linha("por tipo: outro tipo", "CriticaInscricaoPorTipo", kNenhum, s("4"), n, "0000");

    linha("tipo vazio", "CriticaTipoInscricao", s(" "), n, n, "0132");
    linha("tipo letra", "CriticaTipoInscricao", s("A"), n, n, "0040");
    linha("tipo de dois digitos", "CriticaTipoInscricao", s("13"), n, n, "0040");
    linha("tipo 1", "CriticaTipoInscricao", s("1"), n, n, "0000");
    linha("tipo 3", "CriticaTipoInscricao", s("3"), n, n, "0000");
    linha("tipo 4", "CriticaTipoInscricao", s("4"), n, n, "0130");

    linha("prefixo vazio", "CriticaPrefixo", s("  "), n, n, "0061");
    linha("prefixo minusculo", "CriticaPrefixo", s("a1"), n, n, "0060");
    linha("prefixo digitos", "CriticaPrefixo", s("01"), n, n, "0000");
    linha("prefixo letras", "CriticaPrefixo", s("AZ"), n, n, "0000");
    linha("segundo caractere invalido", "CriticaPrefixo", s("A-"), n, n, "0060");
    linha("uma letra", "CriticaPrefixo", s("A"), n, n, "0062");
    linha("tres letras", "CriticaPrefixo", s("ABC"), n, n, "0040");

    linha("CEI vinculado vazio", "CriticaCeiVinculado", n, n, n, "0431");
    linha("CEI vinculado letra", "CriticaCeiVinculado", s("0000010000000X"), n, n, "0040");
    linha("CEI vinculado zeros", "CriticaCeiVinculado", s("00000000000000"), n, n, "0000");
    linha("CEI vinculado valido", "CriticaCeiVinculado", kCei, n, n, "0000");
    linha("CEI vinculado invalido", "CriticaCeiVinculado", kCnpj, n, n, "0430");

    linha("CEI sem vinculado", "CriticaCnpjVinculado", s("3"), s("00000000000000"), n, "0000");
    linha("CNPJ com vinculado", "CriticaCnpjVinculado", s("1"), kCei, n, "0000");
    linha("CEI com vinculado", "CriticaCnpjVinculado", s("3"), kCei, n, "0350");
    linha("CEI com vinculado vazio", "CriticaCnpjVinculado", s("3"), n, n, "0350");

    linha("resp vazio", "CriticaInscricaoResponsavel", n, s("11"), n, "0055");
    linha("resp nao numerico", "CriticaInscricaoResponsavel", s("123.456"), s("11"), n, "0040");
    linha("resp CPF", "CriticaInscricaoResponsavel", kCpf, s("11"), n, "0056");
    linha("resp CPF forma guardada", "CriticaInscricaoResponsavel", s("000") + kCpf, s("11"), n, "0056");
    linha("resp CPF que comeca com zeros", "CriticaInscricaoResponsavel", kCpfZeros, s("11"), n, "0056");
    linha("resp CPF zeros", "CriticaInscricaoResponsavel", s("00000000000000"), s("11"), n, "0055");
    linha("resp CPF invalido", "CriticaInscricaoResponsavel", s("12345678900"), s("11"), n, "0054");
    linha("resp zeros", "CriticaInscricaoResponsavel", s("00000000000000"), s("14"), n, "0055");
    linha("resp CNPJ e CEI", "CriticaInscricaoResponsavel", kAmbos, s("14"), n, "0049");
    linha("resp CNPJ", "CriticaInscricaoResponsavel", kCnpj, s("14"), n, "0051");
    linha("resp CEI", "CriticaInscricaoResponsavel", kCei, s("12"), n, "0052");
    linha("resp nenhum", "CriticaInscricaoResponsavel", kNenhum, s("14"), n, "0054");

    linha("tipo resp: inscricao zeros", "CriticaTipoInscricaoResp", s("00000000000000"), s("1"), n, "0000");
    linha("tipo resp: tipo vazio", "CriticaTipoInscricaoResp", kNenhum, n, n, "0000");
    linha("tipo resp: CNPJ", "CriticaTipoInscricaoResp", kCnpj, s("1"), n, "0000");
    linha("tipo resp: CPF como CNPJ", "CriticaTipoInscricaoResp", kCpf, s("1"), n, "0131");
    linha("tipo resp: CEI", "CriticaTipoInscricaoResp", kCei, s("3"), n, "0000");
    linha("tipo resp: CNPJ como CEI", "CriticaTipoInscricaoResp", kCnpj, s("3"), n, "0131");
    linha("tipo resp: CPF", "CriticaTipoInscricaoResp", kCpf, s("4"), n, "0000");
    linha("tipo resp: CNPJ como CPF", "CriticaTipoInscricaoResp", kCnpj, s("4"), n, "0131");
    linha("tipo resp: outro tipo", "CriticaTipoInscricaoResp", kNenhum, s("7"), n, "0000");

    linha("codigo resp vazio", "CriticaCodigoInscricaoResp", n, n, n, "0128");
    linha("codigo resp letra", "CriticaCodigoInscricaoResp", s("C"), n, n, "0040");
    linha("codigo resp 4", "CriticaCodigoInscricaoResp", s("4"), n, n, "0000");
    linha("codigo resp 2", "CriticaCodigoInscricaoResp", s("2"), n, n, "0129");

    linha("cpf insc: outro tipo", "CriticaCpfInscricaoResp", kCnpj, kCpf, s("1"), "0000");
    linha("cpf insc: forma de 14", "CriticaCpfInscricaoResp", s("000") + kCpf, kCpf, s("4"), "0000");
    linha("cpf insc: 11 digitos", "CriticaCpfInscricaoResp", kCpf, s(" ") + kCpf, s("4"), "0000");
    linha("cpf insc: diferente", "CriticaCpfInscricaoResp", s("000") + kCpf, kCpfZeros, s("4"), "0210");
}

void tst_ugRegrasInscricao::regras()
{
    QFETCH(QString, regra);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QString, esperado);
    const QString codigo = aplica(regra, a, b, c);
    QCOMPARE(codigo, esperado);
    QCOMPARE(codigo.size(), 4);
}

void tst_ugRegrasInscricao::criticasGenericasNuncaDaoX_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("tamanho");
    QTest::addColumn<QString>("numerico");
    QTest::addColumn<QString>("numericoTamanho");
    QTest::newRow("longo") << QStringLiteral("12345") << 4 << QStringLiteral("0040") << QStringLiteral("0040");
    QTest::newRow("curto") << QStringLiteral("123") << 4 << QStringLiteral("0040") << QStringLiteral("3648");
    QTest::newRow("exato") << QStringLiteral(" 1234 ") << 4 << QStringLiteral("0000") << QStringLiteral("0000");
    QTest::newRow("letra") << QStringLiteral("12A4") << 4 << QStringLiteral("0040") << QStringLiteral("0040");
}

void tst_ugRegrasInscricao::criticasGenericasNuncaDaoX()
{
    QFETCH(QString, valor);
    QFETCH(int, tamanho);
    QFETCH(QString, numerico);
    QFETCH(QString, numericoTamanho);
    QCOMPARE(CriticaNumericoCampo(valor, tamanho), numerico);
    QCOMPARE(CriticaNumericoTamanhoCampo(valor, tamanho), numericoTamanho);
}

void tst_ugRegrasInscricao::codigosTemMensagemInstalada()
{
    // Every code these rules and the generic checks under them can hand to a box or a finding.
    QList<QPair<QString, QString>> esperadas;
    for (const char *c : {"0010", "0020", "0030", "0040", "3648", "0053", "0054", "0055", "0060", "0061", "0062",
                          "0128", "0129", "0130", "0131", "0132", "0134", "0135", "0210", "0350", "0430", "0431"})
        esperadas << qMakePair(QString::fromLatin1(c), QStringLiteral("ERR"));
    // 0049 and 0050 are also what the entry forms show when no inscription type is chosen.
    for (const char *c : {"0049", "0050"})
        esperadas << qMakePair(QString::fromLatin1(c), QStringLiteral("WAR"));
    for (const char *c : {"0051", "0052", "0056"})
        esperadas << qMakePair(QString::fromLatin1(c), QStringLiteral("INF"));

    test::expectInstalledMessages(esperadas);
}

QTEST_GUILESS_MAIN(tst_ugRegrasInscricao)
#include "tst_ugRegrasInscricao.moc"
