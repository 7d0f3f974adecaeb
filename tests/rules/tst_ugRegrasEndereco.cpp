// Company name and address rules: each rule's codes in the order its tests decide, and the trimmed values
// handed back.

#include "rules/ugRegrasEndereco.h"

#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugRegrasEndereco : public QObject {
    Q_OBJECT

private slots:
    void razaoSocial_data();
    void razaoSocial();
    void endereco_data();
    void endereco();
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasEndereco::razaoSocial_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<QString>("aparado");
    const QString cnpj = QStringLiteral("11222333000181");
    const QString um = QStringLiteral("1");
    QTest::newRow("vazio") << QStringLiteral("   ") << cnpj << um << "0110" << QString();
    QTest::newRow("dois caracteres") << QStringLiteral(" AB ") << cnpj << um << "0010" << "AB";
    QTest::newRow("aspas antes da tabela") << QStringLiteral("BANCO \"X\"") << QStringLiteral("00000000000191") << um
                                           << "0020" << "BANCO \"X\"";
    QTest::newRow("matriz") << QStringLiteral("  Matriz ") << cnpj << um << "0111" << "Matriz";
    QTest::newRow("filial") << QStringLiteral("filial") << cnpj << um << "0111" << "filial";
    QTest::newRow("matriz e mais") << QStringLiteral("MATRIZ SUL") << cnpj << um << "0000" << "MATRIZ SUL";
    QTest::newRow("raiz com nome exigido") << QStringLiteral("caixa economica federal") << QStringLiteral("00360305000104")
                                           << um << "0000" << "caixa economica federal";
    QTest::newRow("raiz com outro nome") << QStringLiteral("CAIXA FEDERAL") << QStringLiteral("00360305000104") << um
                                         << "3727" << "CAIXA FEDERAL";
    QTest::newRow("nome menor que o exigido") << QStringLiteral("CAIXA") << QStringLiteral("00360305000104") << um
                                              << "3727" << "CAIXA";
    // A CEI is "00" + 12 digits: its first eight characters are no CNPJ root.
    QTest::newRow("CEI com digitos de uma raiz") << QStringLiteral("OBRA QUALQUER") << QStringLiteral("00360305000104")
                                                 << QStringLiteral("3") << "0000" << "OBRA QUALQUER";
    QTest::newRow("CEI de prefeitura") << QStringLiteral("CONSTRUTORA") << QStringLiteral("00179531123456")
                                       << QStringLiteral("3") << "0000" << "CONSTRUTORA";
    QTest::newRow("sem inscricao") << QStringLiteral("EMPRESA") << QString() << QString() << "0000" << "EMPRESA";
}

void tst_ugRegrasEndereco::razaoSocial()
{
    QFETCH(QString, nome);
    QFETCH(QString, inscricao);
    QFETCH(QString, tipo);
    QFETCH(QString, esperado);
    QFETCH(QString, aparado);
    QCOMPARE(CriticaRazaoSocial(nome, inscricao, tipo), esperado);
    QCOMPARE(nome, aparado);
}

void tst_ugRegrasEndereco::endereco_data()
{
    QTest::addColumn<QString>("regra");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<QString>("aparado"); // the first input after the rule, for the rules that trim it back

    const auto linha = [](const char *nome, const char *regra, const QString &a, const QString &b, const char *esperado,
                          const QString &aparado = QString()) {
        QTest::newRow(nome) << QString::fromLatin1(regra) << a << b << QString::fromLatin1(esperado) << aparado;
    };
    const QString n;
    linha("rua vazia", "CriticaEndereco", QStringLiteral("  "), n, "0120");
    linha("rua repetida", "CriticaEndereco", QStringLiteral(" AAAA "), n, "3100", QStringLiteral("AAAA"));
    linha("rua tres letras", "CriticaEndereco", QStringLiteral("AAA"), n, "0000", QStringLiteral("AAA"));
    linha("rua apostrofo", "CriticaEndereco", QStringLiteral("RUA D'ABADIA"), n, "0020", QStringLiteral("RUA D'ABADIA"));
    linha("numero de tres digitos", "CriticaNumeroEndereco", QStringLiteral("123"), n, "0040");
    linha("numero completo", "CriticaNumeroEndereco", QStringLiteral("000123"), n, "0000");
    linha("numero longo", "CriticaNumeroEndereco", QStringLiteral("1234567"), n, "0040");
    linha("complemento vazio", "CriticaComplemento", QStringLiteral("  "), n, "0000");
    linha("complemento apostrofo", "CriticaComplemento", QStringLiteral(" SALA D'OESTE "), n, "0020",
          QStringLiteral("SALA D'OESTE"));
    linha("complemento repetido", "CriticaComplemento", QStringLiteral("BLOCO 1111"), n, "3100",
          QStringLiteral("BLOCO 1111"));
    linha("complemento curto", "CriticaComplemento", QStringLiteral(" A "), n, "0000", QStringLiteral("A"));
    linha("numero zeros sem complemento", "CriticaTextoEndereco", QStringLiteral("000000"), QStringLiteral("  "), "0120");
    linha("numero vazio sem complemento", "CriticaTextoEndereco", n, n, "0120");
    linha("numero zeros com complemento", "CriticaTextoEndereco", QStringLiteral("000000"), QStringLiteral("KM 3"),
          "0000");
    linha("numero sem complemento", "CriticaTextoEndereco", QStringLiteral("000010"), n, "0000");
    linha("bairro vazio", "CriticaBairro", QStringLiteral(" "), n, "0000");
    linha("bairro curto", "CriticaBairro", QStringLiteral(" AB "), n, "0010", QStringLiteral("AB"));
    linha("bairro", "CriticaBairro", QStringLiteral(" CENTRO "), n, "0000", QStringLiteral("CENTRO"));
    linha("uso vazio", "CriticaUsoEmpresa", n, n, "0000");
    linha("uso com aspas", "CriticaUsoEmpresa", QStringLiteral("A\"B"), n, "0020");
    linha("uso com acento", "CriticaUsoEmpresa", QStringLiteral("SEÇÃO"), n, "0020");
}

void tst_ugRegrasEndereco::endereco()
{
    QFETCH(QString, regra);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, esperado);
    QFETCH(QString, aparado);
    QString codigo;
    QString valor = a;
    if (regra == QLatin1String("CriticaEndereco")) codigo = CriticaEndereco(valor);
    else if (regra == QLatin1String("CriticaNumeroEndereco")) codigo = CriticaNumeroEndereco(a);
    else if (regra == QLatin1String("CriticaComplemento")) codigo = CriticaComplemento(valor);
    else if (regra == QLatin1String("CriticaTextoEndereco")) codigo = CriticaTextoEndereco(a, b);
    else if (regra == QLatin1String("CriticaBairro")) codigo = CriticaBairro(valor);
    else if (regra == QLatin1String("CriticaUsoEmpresa")) codigo = CriticaUsoEmpresa(a);
    QCOMPARE(codigo, esperado);
    if (regra == QLatin1String("CriticaEndereco") || regra == QLatin1String("CriticaComplemento") ||
        regra == QLatin1String("CriticaBairro"))
        QCOMPARE(valor, aparado);
}

void tst_ugRegrasEndereco::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0110", "0111", "0120", "3100", "3727"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasEndereco)
#include "tst_ugRegrasEndereco.moc"
