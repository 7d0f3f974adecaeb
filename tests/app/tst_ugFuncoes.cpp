#include "app/ugFuncoes.h"

#include <QLocale>
#include <QtTest>

using namespace gdvorn;

class tst_ugFuncoes : public QObject {
    Q_OBJECT

private slots:
    void preenchimento_data();
    void preenchimento();
    void limpeza_data();
    void limpeza();
    void substituiTexto_data();
    void substituiTexto();
    void numeros();
    void formataValor_data();
    void formataValor();
    void valoresArmazenados_data();
    void valoresArmazenados();
    void formatoNaoDependeDoIdioma();
    void inscricao_data();
    void inscricao();
    void pisDataTelefone_data();
    void pisDataTelefone();
    void nomeMes_data();
    void nomeMes();
    void dataValida_data();
    void dataValida();
    void dataValidaNaoMudaOIdioma();
    void validaEmail_data();
    void validaEmail();
};

using Preenche = QString (*)(const QString &, int);
Q_DECLARE_METATYPE(Preenche)

void tst_ugFuncoes::preenchimento_data()
{
    QTest::addColumn<Preenche>("rotina");
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("resultado");

    const Preenche zeros = CompletaZeros, brancos = CompletaBrancos, preenche = PreencheBrancos;
    QTest::newRow("zeros curto") << zeros << "12" << 5 << "00012";
    QTest::newRow("zeros exato") << zeros << "12345" << 5 << "12345";
    QTest::newRow("zeros longo") << zeros << "1234567" << 5 << "12345";
    QTest::newRow("zeros vazio") << zeros << "" << 3 << "000";
    QTest::newRow("zeros n negativo") << zeros << "12" << -1 << "";
    QTest::newRow("zeros mais de 255") << zeros << "7" << 300 << QString(299, u'0') + "7";
    QTest::newRow("brancos curto") << brancos << "AB" << 4 << "AB  ";
    QTest::newRow("brancos longo") << brancos << "ABCDEF" << 4 << "ABCD";
    QTest::newRow("preenche curto") << preenche << "AB" << 4 << "AB  ";
    QTest::newRow("preenche longo") << preenche << "ABCDEF" << 4 << "ABCD";
    QTest::newRow("preenche mais de 255") << preenche << "A" << 300 << "A" + QString(299, u' ');
}

void tst_ugFuncoes::preenchimento()
{
    QFETCH(Preenche, rotina);
    QFETCH(QString, s);
    QFETCH(int, n);
    QTEST(rotina(s, n), "resultado");
}

using Rotina = QString (*)(const QString &);
Q_DECLARE_METATYPE(Rotina)

void tst_ugFuncoes::limpeza_data()
{
    QTest::addColumn<Rotina>("rotina");
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("resultado");

    const Rotina pontos = RetiraPontos, mascara = TiraMascara, apara = AparaBrancos, zeros = RetiraZerosEsquerda;
    QTest::newRow("RetiraPontos") << pontos << " 1.234.567,89 " << "1234567,89";
    QTest::newRow("TiraMascara CNPJ") << mascara << "11.222.333/0001-81" << "11222333000181";
    QTest::newRow("TiraMascara mantém brancos") << mascara << " 70.000-000 " << " 70000000 ";
    QTest::newRow("AparaBrancos") << apara << "  A B  " << "A B";
    QTest::newRow("AparaBrancos mantém tabulação") << apara << "\tA \n" << "\tA \n";
    QTest::newRow("AparaBrancos só brancos") << apara << "   " << "";
    QTest::newRow("RetiraZerosEsquerda") << zeros << "000120" << "120";
    QTest::newRow("RetiraZerosEsquerda só zeros") << zeros << "0000" << "";
    QTest::newRow("RetiraZerosEsquerda branco à frente") << zeros << " 012" << " 012";
}

void tst_ugFuncoes::limpeza()
{
    QFETCH(Rotina, rotina);
    QFETCH(QString, s);
    QTEST(rotina(s), "resultado");
}

void tst_ugFuncoes::substituiTexto_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("antigo");
    QTest::addColumn<QString>("novo");
    QTest::addColumn<QString>("resultado");
    QTest::newRow("primeira ocorrência") << "A.dec.dec" << ".dec" << ".rec" << "A.rec.dec";
    QTest::newRow("ausente") << "ARQ.txt" << ".dec" << ".rec" << "ARQ.txt";
    QTest::newRow("antigo vazio") << "ARQ.dec" << "" << "X" << "ARQ.dec";
    QTest::newRow("texto vazio") << "" << ".dec" << ".rec" << "";
}

void tst_ugFuncoes::substituiTexto()
{
    QFETCH(QString, texto);
    QFETCH(QString, antigo);
    QFETCH(QString, novo);
    QTEST(SubstituiTexto(texto, antigo, novo), "resultado");
}

void tst_ugFuncoes::numeros()
{
    QCOMPARE(Brancos(3), QStringLiteral("   "));
    QCOMPARE(Brancos(-2), QString());
    QCOMPARE(Zeros(4), QStringLiteral("0000"));
    QCOMPARE(GeraZeros(2), QStringLiteral("00"));
    QCOMPARE(Maior(3, -7), 3);
    QCOMPARE(Maior(-3, 7), 7);
    QCOMPARE(StrToIntSeguro(QStringLiteral("0042")), 42);
    QCOMPARE(StrToIntSeguro(QStringLiteral("-5")), -5);
    QCOMPARE(StrToIntSeguro(QStringLiteral("12a")), 0);
    QCOMPARE(StrToIntSeguro(QString()), 0);
    QCOMPARE(StrToIntSeguro(QStringLiteral("99999999999")), 0);
}

// Amounts keep the exact blanks in front that line them up in the lists.
void tst_ugFuncoes::formataValor_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("grande");

    QTest::newRow("0,00 (4)") << "0" << QString(14, u' ') + "0,00" << QString(8, u' ') + "0,00";
    QTest::newRow("12,30 (5)") << "12,3" << QString(12, u' ') + "12,30" << QString(7, u' ') + "12,30";
    QTest::newRow("123,45 (6)") << " 123,45 " << QString(11, u' ') + "123,45" << QString(6, u' ') + "123,45";
    QTest::newRow("1.234,50 (8)") << "1234,5" << QString(7, u' ') + "1.234,50" << QString(4, u' ') + "1.234,50";
    QTest::newRow("com pontos") << "1.234,5" << QString(7, u' ') + "1.234,50" << QString(4, u' ') + "1.234,50";
    QTest::newRow("12.345,67 (9)") << "12345,67" << QString(5, u' ') + "12.345,67" << QString(3, u' ') + "12.345,67";
    QTest::newRow("123.456,00 (10)") << "123456" << QString(3, u' ') + "123.456,00" << QString(2, u' ') + "123.456,00";
    QTest::newRow("1.234.567,89 (12)") << "1234567,89" << "1.234.567,89" << "1.234.567,89";
    QTest::newRow("12.345.678,90 (13)") << "12345678,9" << "12.345.678,90" << "12.345.678,90";
    QTest::newRow("-100,00 (7)") << "-100" << "-100,00" << "-100,00";
    QTest::newRow("arredonda") << "0,125" << QString(14, u' ') + "0,13" << QString(8, u' ') + "0,13";
    QTest::newRow("arredonda meio centavo") << "1,005" << QString(14, u' ') + "1,01" << QString(8, u' ') + "1,01";
    QTest::newRow("arredonda para baixo") << "2,994" << QString(14, u' ') + "2,99" << QString(8, u' ') + "2,99";
    QTest::newRow("negativo que arredonda a zero") << "-0,001" << QString(14, u' ') + "0,00"
                                                   << QString(8, u' ') + "0,00";
    QTest::newRow("letras") << "abc" << "Erro" << "Erro";
    QTest::newRow("vazio") << "" << "Erro" << "Erro";
    QTest::newRow("duas vírgulas") << "1,2,3" << "Erro" << "Erro";
    QTest::newRow("branco no meio") << "1 234,00" << "Erro" << "Erro";
    QTest::newRow("infinito") << "inf" << "Erro" << "Erro";
    // Only digits and separators are an amount: no exponent, no digit lost to a floating-point read.
    QTest::newRow("expoente") << "1e9" << "Erro" << "Erro";
    QTest::newRow("hexadecimal") << "0x10" << "Erro" << "Erro";
    QTest::newRow("sinal +") << "+5" << "Erro" << "Erro";
    QTest::newRow("dígitos além da precisão") << "12345678901234567,89" << "12.345.678.901.234.567,89"
                                              << "12.345.678.901.234.567,89";
    QTest::newRow("arredonda em cadeia") << "999,995" << QString(7, u' ') + "1.000,00" << QString(4, u' ') + "1.000,00";
    QTest::newRow("só vírgula") << "," << "Erro" << "Erro";
}

void tst_ugFuncoes::formataValor()
{
    QFETCH(QString, s);
    QTEST(FormataValor(s), "valor");
    QTEST(FormataValorGrande(s), "grande");
}

void tst_ugFuncoes::valoresArmazenados_data()
{
    QTest::addColumn<Rotina>("rotina");
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("resultado");

    const Rotina v9 = FormataValor9, v8 = FormataValor8, centavos = FormataValorCentavos;
    QTest::newRow("9 zeros") << v9 << "000000000" << QString(14, u' ') + "0,00";
    QTest::newRow("9 1.234,56") << v9 << "000123456" << QString(7, u' ') + "1.234,56";
    QTest::newRow("9 máximo") << v9 << "999999999" << "9.999.999,99";
    QTest::newRow("9 não numérico") << v9 << " 12a " << "12a";
    QTest::newRow("9 vazio") << v9 << "" << "";
    QTest::newRow("8 zeros") << v8 << "00000000" << QString(14, u' ') + "0,00";
    QTest::newRow("8 12.345,67") << v8 << "01234567" << QString(5, u' ') + "12.345,67";
    QTest::newRow("8 máximo") << v8 << "99999999" << QString(3, u' ') + "999.999,99";
    QTest::newRow("8 não numérico") << v8 << "abc" << "abc";
    QTest::newRow("centavos vazio") << centavos << "" << QString(14, u' ') + "0,00";
    QTest::newRow("centavos brancos") << centavos << "   " << QString(14, u' ') + "0,00";
    QTest::newRow("centavos 000") << centavos << "000" << QString(14, u' ') + "0,00";
    QTest::newRow("centavos 12345") << centavos << "12345" << QString(11, u' ') + "123,45";
    QTest::newRow("centavos 5") << centavos << "5" << QString(14, u' ') + "0,05";
    QTest::newRow("centavos 9 dígitos") << centavos << "123456789" << "1.234.567,89";
    QTest::newRow("centavos letras") << centavos << "abc" << "Erro";
    // More digits than the field holds are shown whole, never as another amount.
    QTest::newRow("centavos 10 dígitos") << centavos << "1234567890" << "12.345.678,90";
    QTest::newRow("9 com 10 dígitos") << v9 << "1234567890" << "12.345.678,90";
    QTest::newRow("8 com 9 dígitos") << v8 << "123456789" << "1.234.567,89";
    QTest::newRow("9 expoente") << v9 << "1e9" << "1e9";
}

void tst_ugFuncoes::valoresArmazenados()
{
    QFETCH(Rotina, rotina);
    QFETCH(QString, s);
    QTEST(rotina(s), "resultado");
}

// The separators are the routines' own, whatever the program's locale.
void tst_ugFuncoes::formatoNaoDependeDoIdioma()
{
    const QLocale anterior;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString valor = FormataValor(QStringLiteral("1234,5"));
    const QString armazenado = FormataValor9(QStringLiteral("000123456"));
    QLocale::setDefault(anterior);
    QCOMPARE(valor, QString(7, u' ') + "1.234,50");
    QCOMPARE(armazenado, QString(7, u' ') + "1.234,56");
}

void tst_ugFuncoes::inscricao_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("inscricaoCPF");

    QTest::newRow("CNPJ") << "11222333000181" << "1" << "11.222.333/0001-81" << "11.222.333/0001-81";
    QTest::newRow("CEI de 14") << "00111111111118" << "3" << "11111.11111-18" << "11111.11111-18";
    QTest::newRow("CEI de 12") << "111111111118" << "3" << "11111.11111-18" << "11111.11111-18";
    QTest::newRow("CEI de 12, tipo ' 3'") << "111111111118" << " 3" << "00111111111118" << "00111111111118";
    QTest::newRow("CPF de 11") << "52998224725" << "4" << "52998224725" << "529.982.247-25";
    QTest::newRow("CPF de 14") << "00052998224725" << "4" << "00052998224725" << "529.982.247-25";
    QTest::newRow("CPF de 11, tipo '4 '") << "52998224725" << "4 " << "52998224725" << "00052998224725";
    QTest::newRow("outro tipo") << "12345" << "2" << "12345" << "12345";
    QTest::newRow("CNPJ curto não lê fora") << "1122" << "1" << "11.22./-" << "11.22./-";
}

void tst_ugFuncoes::inscricao()
{
    QFETCH(QString, s);
    QFETCH(QString, tipo);
    QTEST(FormataInscricao(s, tipo), "inscricao");
    QTEST(FormataInscricaoCPF(s, tipo), "inscricaoCPF");
}

void tst_ugFuncoes::pisDataTelefone_data()
{
    QTest::addColumn<Rotina>("rotina");
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("resultado");

    const Rotina pis = FormataPisPasep, data = FormataData, telefone = FormataTelefone;
    QTest::newRow("PIS") << pis << "12034567899" << "120.34567.89.9";
    QTest::newRow("data") << data << "29022012" << "29/02/2012";
    QTest::newRow("data sem crítica") << data << "99999999" << "99/99/9999";
    QTest::newRow("data curta") << data << "2902" << "29/02/";
    QTest::newRow("telefone com zeros à frente") << telefone << "0032345678" << "3234-5678";
    QTest::newRow("telefone de 5") << telefone << "12345" << "1-2345";
    QTest::newRow("telefone de 4") << telefone << "1234" << "1234";
    QTest::newRow("telefone de 4 com zero à frente") << telefone << "01234" << "1234";
    QTest::newRow("telefone zeros") << telefone << "0000" << "";
}

void tst_ugFuncoes::pisDataTelefone()
{
    QFETCH(Rotina, rotina);
    QFETCH(QString, s);
    QTEST(rotina(s), "resultado");
}

void tst_ugFuncoes::nomeMes_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("nome");
    QTest::newRow("01") << "01" << "Janeiro";
    QTest::newRow("1") << "1" << "Janeiro";
    QTest::newRow("03") << "03" << "Março";
    QTest::newRow("12") << "12" << "Dezembro";
    QTest::newRow("99") << "99" << "Totalização";
    QTest::newRow("0") << "0" << "";
    QTest::newRow("13") << "13" << "";
    QTest::newRow("não número") << "ab" << "";
    QTest::newRow("vazio") << "" << "";
}

void tst_ugFuncoes::nomeMes()
{
    QFETCH(QString, s);
    QTEST(NomeMes(s), "nome");
}

void tst_ugFuncoes::dataValida_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<bool>("valida");
    QTest::newRow("29/02/2011") << "29022011" << false;
    QTest::newRow("29/02/2012") << "29022012" << true;
    QTest::newRow("29/02/2000") << "29022000" << true;
    QTest::newRow("29/02/1900") << "29021900" << false;
    QTest::newRow("28/02/2011") << "28022011" << true;
    QTest::newRow("31/04/2010") << "31042010" << false;
    QTest::newRow("31/12/2010") << "31122010" << true;
    QTest::newRow("mês 13") << "01132010" << false;
    QTest::newRow("dia zero") << "00012010" << false;
    QTest::newRow("ano zero") << "01010000" << false;
    QTest::newRow("7 caracteres") << "2902201" << false;
    QTest::newRow("9 caracteres") << "290220120" << false;
    QTest::newRow("com barras") << "29/02/12" << false;
    QTest::newRow("branco à frente") << " 1022012" << false;
    QTest::newRow("vazio") << "" << false;
}

void tst_ugFuncoes::dataValida()
{
    QFETCH(QString, s);
    QTEST(DataValida(s), "valida");
}

// Checking a date leaves the program's date settings as they were.
void tst_ugFuncoes::dataValidaNaoMudaOIdioma()
{
    const QLocale anterior;
    const QLocale americano(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(americano);
    const bool valida = DataValida(QStringLiteral("29022012"));
    const QString formato = QLocale().dateFormat(QLocale::ShortFormat);
    QLocale::setDefault(anterior);
    QVERIFY(valida);
    QCOMPARE(formato, americano.dateFormat(QLocale::ShortFormat));
}

void tst_ugFuncoes::validaEmail_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<bool>("valido");

    QTest::newRow("simples") << "joao.silva@empresa.com.br" << true;
    QTest::newRow("com _ - e dígitos") << "joao_2-x@mail-1.com" << true;
    // 1. characters
    QTest::newRow("branco") << "joao silva@empresa.com" << false;
    QTest::newRow("acento") << "joão@empresa.com" << false;
    QTest::newRow("sinal +") << "joao+x@empresa.com" << false;
    // 2. first and last characters
    QTest::newRow("começa com .") << ".joao@empresa.com" << false;
    QTest::newRow("começa com _") << "_joao@empresa.com" << false;
    QTest::newRow("começa com -") << "-joao@empresa.com" << false;
    QTest::newRow("termina com .") << "joao@empresa.com." << false;
    QTest::newRow("termina com @") << "joao@" << false;
    // 3. the at sign and the local part
    QTest::newRow("sem @") << "joao.empresa.com" << false;
    QTest::newRow("@ primeiro") << "@empresa.com" << false;
    QTest::newRow(".. antes do @") << "joao..silva@empresa.com" << false;
    QTest::newRow(". antes do @") << "joao.@empresa.com" << false;
    QTest::newRow("_ antes do @") << "joao_@empresa.com" << false;
    QTest::newRow("- antes do @") << "joao-@empresa.com" << false;
    QTest::newRow("_ depois do @") << "joao@_empresa.com" << false;
    QTest::newRow("- depois do @") << "joao@-empresa.com" << false;
    // 4. the domain
    QTest::newRow("domínio sem .") << "joao@empresa" << false;
    QTest::newRow(". depois do @") << "joao@.empresa.com" << false;
    QTest::newRow(".. no domínio") << "joao@empresa..com" << false;
    QTest::newRow("segundo @") << "joao@empresa@x.com" << false;
    QTest::newRow("- depois do primeiro . do domínio") << "joao@empresa.com-br" << false;
    QTest::newRow("_ depois do primeiro . do domínio") << "joao@empresa.com.b_r" << false;
    QTest::newRow("- antes do primeiro . do domínio") << "joao@minha-empresa.com" << true;
    QTest::newRow("vazio") << "" << false;
}

void tst_ugFuncoes::validaEmail()
{
    QFETCH(QString, s);
    QTEST(ValidaEmail(s), "valido");
}

QTEST_GUILESS_MAIN(tst_ugFuncoes)
#include "tst_ugFuncoes.moc"
