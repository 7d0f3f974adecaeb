// Telephone and e-mail rules: each rule's codes in the order its tests decide, area codes by state, and
// the trimmed e-mail handed back.

#include "rules/ugRegrasContato.h"

#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaDDD", test::regra(&CriticaDDD)},
    {"CriticaTelefone", test::regra(&CriticaTelefone)},
    {"CriticaTelefoneCompleto", test::regra(&CriticaTelefoneCompleto)},
    {"CriticaDDDUf", test::regra(&CriticaDDDUf)},
};

} // namespace

class tst_ugRegrasContato : public QObject {
    Q_OBJECT

private slots:
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void email_data();
    void email();
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasContato::regras_data()
{
    test::colunasDeRegras();
    const auto linha = [](const char *nome, const char *regra, const char *a, const char *b, const char *esperado) {
        test::caso(nome, regra, {a, b}, esperado);
    };
    linha("ddd vazio", "CriticaDDD", "  ", "", "3674");
    linha("ddd zeros", "CriticaDDD", "00", "", "3674");
    linha("ddd letra", "CriticaDDD", "6A", "", "3674");
    linha("ddd um digito", "CriticaDDD", "6", "", "0000");
    linha("ddd tres digitos", "CriticaDDD", "061", "", "0000");
    linha("telefone vazio", "CriticaTelefone", "", "", "3674");
    linha("telefone sete digitos", "CriticaTelefone", "1234567", "", "3101");
    linha("telefone sete letras", "CriticaTelefone", "ABCDEFG", "", "3101");
    linha("telefone zeros", "CriticaTelefone", "00000000", "", "3674");
    linha("telefone letra", "CriticaTelefone", "1234567A", "", "3674");
    linha("telefone", "CriticaTelefone", " 32345678 ", "", "0000");
    linha("completo ddd zeros", "CriticaTelefoneCompleto", "00", "32345678", "3101");
    linha("completo sem telefone", "CriticaTelefoneCompleto", "61", " ", "3101");
    linha("completo vazio", "CriticaTelefoneCompleto", "", "", "3102");
    linha("completo zeros", "CriticaTelefoneCompleto", "00", "00000000", "3102");
    linha("completo", "CriticaTelefoneCompleto", "61", "32345678", "0000");
    linha("ddd 61 em 52", "CriticaDDDUf", "61", "52", "0000");
    linha("ddd 61 em 53", "CriticaDDDUf", "61", "53", "0000");
    linha("ddd 61 em 35", "CriticaDDDUf", "61", "35", "0402");
    linha("ddd 38 em 31", "CriticaDDDUf", "38", "31", "0000");
    linha("ddd 36 em 31", "CriticaDDDUf", "36", "31", "0402");
    linha("ddd de tres digitos usa os dois primeiros", "CriticaDDDUf", "115", "35", "0000");
    linha("uf fora da tabela", "CriticaDDDUf", "61", "34", "0000");
    linha("uf vazia", "CriticaDDDUf", "61", "", "0000");
    linha("uf letras", "CriticaDDDUf", "61", "SP", "0000");
    linha("ddd vazio em 35", "CriticaDDDUf", "", "35", "0000");
    linha("ddd zeros em 35", "CriticaDDDUf", "00", "35", "0000");
    linha("ddd letra em 35", "CriticaDDDUf", "1A", "35", "0000");
}

void tst_ugRegrasContato::email_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("estab");
    QTest::addColumn<QString>("resp");
    QTest::newRow("vazio") << QStringLiteral("  ") << "0000" << "3778";
    QTest::newRow("valido") << QStringLiteral(" rh@empresa.com.br ") << "0000" << "0000";
    QTest::newRow("apostrofo") << QStringLiteral("o'neil@empresa.com") << "0020" << "0020";
    QTest::newRow("sem arroba") << QStringLiteral("rh.empresa.com") << "3627" << "3627";
    QTest::newRow("sem dominio") << QStringLiteral("rh@empresa") << "3627" << "3627";
}

void tst_ugRegrasContato::email()
{
    QFETCH(QString, email);
    QFETCH(QString, estab);
    QFETCH(QString, resp);
    QString e = email, r = email;
    QCOMPARE(CriticaEmailEstab(e), estab);
    QCOMPARE(CriticaEmailResp(r), resp);
    QCOMPARE(e, email.trimmed());
    QCOMPARE(r, email.trimmed());
}

void tst_ugRegrasContato::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"3101", "3102", "3627", "3674", "3778"}, {"0402"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasContato)
#include "tst_ugRegrasContato.moc"
