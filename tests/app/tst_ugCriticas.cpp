#include "app/ugCriticas.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugCriticas : public QObject {
    Q_OBJECT

private slots:
    void digitosVerificadores_data();
    void digitosVerificadores();
    void trocaDeUmDigito_data();
    void trocaDeUmDigito();
    void criticaNumerico_data();
    void criticaNumerico();
    void criticaDigitosETexto_data();
    void criticaDigitosETexto();
    void testesDeTexto_data();
    void testesDeTexto();
    void semCaracterRepetido_data();
    void semCaracterRepetido();
    void contaPalavras_data();
    void contaPalavras();
    void limitesDeRemuneracao_data();
    void limitesDeRemuneracao();
};

using Teste = bool (*)(QStringView);
Q_DECLARE_METATYPE(Teste)

void tst_ugCriticas::digitosVerificadores_data()
{
    QTest::addColumn<Teste>("teste");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<bool>("valido");

    const Teste cpf = ValidaCPF, cnpj = ValidaCNPJ, cnpjValido = CnpjValido, cei = ValidaCEI,
                pis = ValidaPisPasep;

    QTest::newRow("CPF") << cpf << "52998224725" << true;
    QTest::newRow("CPF 2") << cpf << "12345678909" << true;
    QTest::newRow("CPF de onze uns") << cpf << "11111111111" << true;
    QTest::newRow("CPF curto") << cpf << "5299822472" << false;
    QTest::newRow("CPF longo") << cpf << "529982247250" << false;
    QTest::newRow("CPF com letra") << cpf << "5299822472A" << false;
    QTest::newRow("CPF com máscara") << cpf << "529.982.247-25" << false;
    QTest::newRow("CPF com brancos") << cpf << " 52998224725" << false;
    QTest::newRow("CPF vazio") << cpf << "" << false;
    // A character whose digit value is out of range must not stand in for a digit.
    QTest::newRow("CPF com ':'") << cpf << "5299822472:" << false;

    QTest::newRow("CNPJ") << cnpj << "11222333000181" << true;
    QTest::newRow("CNPJ filial 2") << cnpj << "60601123000290" << true;
    QTest::newRow("CNPJ filial 0000") << cnpj << "12345678000004" << false;
    QTest::newRow("CNPJ curto") << cnpj << "1122233300018" << false;
    QTest::newRow("CNPJ longo") << cnpj << "112223330001810" << false;
    QTest::newRow("CNPJ com letra") << cnpj << "1122233300018X" << false;
    QTest::newRow("CNPJ vazio") << cnpj << "" << false;
    QTest::newRow("CnpjValido") << cnpjValido << "11222333000181" << true;
    QTest::newRow("CnpjValido filial 0000") << cnpjValido << "12345678000004" << false;
    QTest::newRow("CnpjValido curto") << cnpjValido << "112223330001" << false;
    QTest::newRow("CnpjValido com brancos") << cnpjValido << "11222333000181 " << false;

    QTest::newRow("CEI") << cei << "00111111111118" << true;
    QTest::newRow("CEI 2") << cei << "00123456789010" << true;
    QTest::newRow("CEI sem 00") << cei << "111111111118" << false;
    QTest::newRow("CEI sem 00, completado com outros") << cei << "11111111111118" << false;
    QTest::newRow("CEI 3-6 zeros") << cei << "00000012345677" << false;
    QTest::newRow("CEI longo") << cei << "001111111111180" << false;
    QTest::newRow("CEI com letra") << cei << "0011111111111A" << false;
    QTest::newRow("CEI vazio") << cei << "" << false;

    QTest::newRow("PIS") << pis << "12034567899" << true;
    QTest::newRow("PIS começando por 2") << pis << "20123456783" << true;
    QTest::newRow("PIS começando por 3") << pis << "30123456780" << false;
    QTest::newRow("PIS recusado 12345678900") << pis << "12345678900" << false;
    QTest::newRow("PIS recusado 10000000008") << pis << "10000000008" << false;
    QTest::newRow("PIS recusado 10987654321") << pis << "10987654321" << false;
    QTest::newRow("PIS curto") << pis << "1203456789" << false;
    QTest::newRow("PIS longo") << pis << "120345678990" << false;
    QTest::newRow("PIS com letra") << pis << "1203456789X" << false;
    QTest::newRow("PIS vazio") << pis << "" << false;
}

void tst_ugCriticas::digitosVerificadores()
{
    QFETCH(Teste, teste);
    QFETCH(QString, numero);
    QFETCH(bool, valido);
    QCOMPARE(teste(numero), valido);
}

// Every change of one digit (by one) of a valid number makes it invalid.
void tst_ugCriticas::trocaDeUmDigito_data()
{
    QTest::addColumn<Teste>("teste");
    QTest::addColumn<QString>("numero");
    QTest::newRow("CPF") << Teste(ValidaCPF) << "52998224725";
    QTest::newRow("CNPJ") << Teste(ValidaCNPJ) << "11222333000181";
    QTest::newRow("CEI") << Teste(ValidaCEI) << "00111111111118";
    QTest::newRow("PIS") << Teste(ValidaPisPasep) << "12034567899";
}

void tst_ugCriticas::trocaDeUmDigito()
{
    QFETCH(Teste, teste);
    QFETCH(QString, numero);
    QVERIFY(teste(numero));
    for (qsizetype i = 0; i < numero.size(); ++i) {
        QString trocado = numero;
        trocado[i] = QChar(u'0' + (numero[i].unicode() - u'0' + 1) % 10);
        QVERIFY2(!teste(trocado), qPrintable(trocado));
    }
}

void tst_ugCriticas::criticaNumerico_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("tamanho");
    QTest::addColumn<QString>("numerico");
    QTest::addColumn<QString>("numericoTamanho");

    QTest::newRow("exato") << "123" << "3" << "0000" << "0000";
    QTest::newRow("exato com brancos") << " 123 " << "3" << "0000" << "0000";
    QTest::newRow("curto") << " 12 " << "3" << "0040" << "3648";
    QTest::newRow("longo") << "1234" << "3" << "X" << "X";
    QTest::newRow("vazio") << "" << "3" << "0040" << "0040";
    QTest::newRow("letra") << "12a" << "3" << "0040" << "0040";
    QTest::newRow("branco no meio") << "1 2" << "3" << "0040" << "0040";
    QTest::newRow("sinal") << "-12" << "3" << "0040" << "0040";
    QTest::newRow("tamanho com brancos") << "12" << " 2 " << "0000" << "0000";
    QTest::newRow("tamanho não numérico") << "1" << "dois" << "X" << "X";
    QTest::newRow("longo, mais de 255") << QString(300, u'1') << "9" << "X" << "X";
    QTest::newRow("300 dígitos no tamanho") << QString(300, u'1') << "300" << "0000" << "0000";
}

void tst_ugCriticas::criticaNumerico()
{
    QFETCH(QString, valor);
    QFETCH(QString, tamanho);
    QTEST(CriticaNumerico(valor, tamanho), "numerico");
    QTEST(CriticaNumericoTamanho(valor, tamanho), "numericoTamanho");
}

void tst_ugCriticas::criticaDigitosETexto_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("digitos");
    QTest::addColumn<QString>("texto");

    QTest::newRow("vazio") << "" << "0030" << "0010";
    QTest::newRow("brancos") << "   " << "0030" << "0010";
    QTest::newRow("dois dígitos") << "12" << "0000" << "0010";
    QTest::newRow("duas letras") << "AB" << "0030" << "0010";
    QTest::newRow("duas letras com brancos") << "  AB  " << "0030" << "0010";
    QTest::newRow("três letras") << "ABC" << "0030" << "0000";
    QTest::newRow("um dígito com brancos") << " 7 " << "0000" << "0010";
    QTest::newRow("apóstrofo") << "D'Avila" << "0030" << "0020";
    QTest::newRow("aspas") << "A \"B\" C" << "0030" << "0020";
    QTest::newRow("acento") << "JOSÉ" << "0030" << "0020";
    QTest::newRow("tabulação") << "AB\tCD" << "0030" << "0020";
    QTest::newRow("til e espaço") << "A ~ Z" << "0030" << "0000";
    // Lengths beyond 255 are counted in full, never wrapped around.
    QTest::newRow("257 dígitos") << QString(257, u'1') << "0000" << "0000";
    QTest::newRow("256 dígitos e uma letra") << QString(256, u'1') + "A" << "0030" << "0000";
    QTest::newRow("256 dígitos e um apóstrofo") << QString(256, u'1') + "'" << "0030" << "0020";
}

void tst_ugCriticas::criticaDigitosETexto()
{
    QFETCH(QString, valor);
    QTEST(CriticaDigitos(valor), "digitos");
    QTEST(CriticaTexto(valor), "texto");
}

void tst_ugCriticas::testesDeTexto_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<bool>("ehNumerico");
    QTest::addColumn<bool>("soZeros");
    QTest::addColumn<bool>("soLetras");
    QTest::addColumn<bool>("naoRepetido");

    QTest::newRow("vazio") << "" << false << false << true << false;
    QTest::newRow("zeros") << "000" << true << true << false << true;
    QTest::newRow("um zero") << "0" << true << true << false << true;
    QTest::newRow("zeros com branco") << " 000" << true << false << false << true;
    QTest::newRow("uns") << "11111111111" << true << false << false << false;
    QTest::newRow("um dígito") << "5" << true << false << false << false;
    QTest::newRow("dígitos") << "1231" << true << false << false << true;
    QTest::newRow("letras") << "AbcZ" << false << false << true << true;
    QTest::newRow("letras repetidas") << "aaaa" << false << false << true << false;
    QTest::newRow("letra acentuada") << "Ação" << false << false << false << true;
    QTest::newRow("letras e branco") << "Ab Z" << false << false << false << true;
    QTest::newRow("dígito árabe") << QString::fromUtf8("١٢") << false << false << false << true;
}

void tst_ugCriticas::testesDeTexto()
{
    QFETCH(QString, s);
    QTEST(EhNumerico(s), "ehNumerico");
    QTEST(SoZeros(s), "soZeros");
    QTEST(SoLetras(s), "soLetras");
    QTEST(NaoRepetido(s), "naoRepetido");
}

void tst_ugCriticas::semCaracterRepetido_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<bool>("resultado");
    QTest::newRow("três iguais") << "AAA" << true;
    QTest::newRow("três iguais e outra") << "AAAB" << true;
    QTest::newRow("uma e quatro iguais") << "BAAAA" << false;
    QTest::newRow("quatro iguais") << "AAAA" << false;
    QTest::newRow("quatro iguais no fim") << "MARIA SSSS" << false;
    QTest::newRow("quatro brancos") << "A    B" << true;
    QTest::newRow("curta depois de aparada") << " AAA" << true;
    QTest::newRow("nome") << "JOAO DA SILVA" << true;
    QTest::newRow("vazio") << "" << true;
}

void tst_ugCriticas::semCaracterRepetido()
{
    QFETCH(QString, s);
    QTEST(SemCaracterRepetido(s), "resultado");
}

void tst_ugCriticas::contaPalavras_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("palavras");
    QTest::newRow("vazio") << "" << 0;
    QTest::newRow("brancos") << "    " << 0;
    QTest::newRow("uma") << " JOAO " << 1;
    QTest::newRow("três com brancos") << "  JOAO  DA SILVA " << 3;
}

void tst_ugCriticas::contaPalavras()
{
    QFETCH(QString, s);
    QTEST(ContaPalavras(s), "palavras");
}

void tst_ugCriticas::limitesDeRemuneracao_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<bool>("abaixo");
    QTest::addColumn<bool>("acima");
    QTest::newRow("zero") << "000000000" << true << false;
    QTest::newRow("50999") << "50999" << true << false;
    QTest::newRow("51000") << "51000" << false << false;
    QTest::newRow("000051000") << "000051000" << false << false;
    QTest::newRow("7649999") << "7649999" << false << false;
    QTest::newRow("7650000") << "7650000" << false << true;
    QTest::newRow("999999999") << "999999999" << false << true;
    QTest::newRow("não numérico") << "abc" << false << false;
    QTest::newRow("vazio") << "" << false << false;
}

void tst_ugCriticas::limitesDeRemuneracao()
{
    QFETCH(QString, valor);
    QTEST(AbaixoSalarioMinimo(valor, QStringLiteral("qualquer")), "abaixo");
    QTEST(AcimaLimiteRemuneracao(valor), "acima");
}

QTEST_GUILESS_MAIN(tst_ugCriticas)
#include "tst_ugCriticas.moc"
