// Employee identity rules: each rule's codes in the order its tests decide, the PIS numbers whose name
// is known (PISINDEV rows and the two fixed pairs) and the disability type with and without a
// declaration file.

#include "rules/ugRegrasEmpregado.h"

#include "app/ugCriticas.h"

#include "CasosDeRegras.h"
#include "FixtureTabelas.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QString kPisTabela = QStringLiteral("13000000002");     // PISINDEV: "JOAO SILVA"
const QString kPisUmaPalavra = QStringLiteral("13100000004"); // PISINDEV: "MARIA"

QString nomeEmpregado(const QStringList &e)
{
    QString nome = e.value(0);
    return CriticaNomeEmpregado(nome, e.value(1));
}

const QHash<QString, test::Regra> kRegras = {
    {"CriticaPis", test::regra(&CriticaPis)},
    {"CriticaPisInscricao", test::regra(&CriticaPisInscricao)},
    {"CriticaNomeEmpregado", &nomeEmpregado},
    {"CriticaCpfEmpregado", test::regra(&CriticaCpfEmpregado)},
    {"CriticaCpfObrigatorio", test::regra(&CriticaCpfObrigatorio)},
    {"CriticaDataNascimento", test::regra(&CriticaDataNascimento)},
    {"CriticaNascimento", test::regra(&CriticaNascimento)},
    {"CriticaSexo", test::regra(&CriticaSexo)},
    {"CriticaRaca", test::regra(&CriticaRaca)},
    {"CriticaIndicadorDeficiencia", test::regra(&CriticaIndicadorDeficiencia)},
    {"CriticaTipoDeficiencia",
     [](const QStringList &e) { return CriticaTipoDeficiencia(e.value(0), e.value(1), e.value(2) == "arquivo"); }},
};

} // namespace

class tst_ugRegrasEmpregado : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_tabelas.reset(); }
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void nomeVoltaSemBrancos();
    void paresFixosTemPisValido();
    void codigosTemMensagemInstalada();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugRegrasEmpregado::initTestCase()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    m_tabelas->insere(QStringLiteral("pisindev"), QList<QVariantMap>{
        {{"CoPisPasep", kPisTabela}, {"NoEmpregado", "JOAO SILVA"}},
        {{"CoPisPasep", kPisUmaPalavra}, {"NoEmpregado", "MARIA"}},
    });
    m_tabelas->insere(QStringLiteral("tb8raca"), {{"CoRaca", "2"}, {"NoRaca", "Branca"}});
    m_tabelas->insere(QStringLiteral("tbdefi"), QList<QVariantMap>{
        {{"CoTipoDeficiencia", "1"}, {"NoTipoDeficiencia", "Física"}},
        {{"CoTipoDeficiencia", "2"}, {"NoTipoDeficiencia", "Auditiva"}},
    });
}

void tst_ugRegrasEmpregado::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("pis zeros", "CriticaPis", {"00000000000"}, "0150");
    caso("pis vazio", "CriticaPis", {"  "}, "0153");
    // The refused numbers all have a right check digit.
    caso("pis recusado 1", "CriticaPis", {"11111111116"}, "0150");
    caso("pis recusado 2", "CriticaPis", {"10000000202"}, "0150");
    caso("pis com letra", "CriticaPis", {"1300000000A"}, "0040");
    caso("pis curto", "CriticaPis", {"1300000000"}, "0040");
    caso("pis longo", "CriticaPis", {"130000000020"}, "0040");
    caso("pis digito errado", "CriticaPis", {"13000000003"}, "0150");
    caso("pis valido com brancos", "CriticaPis", {" 13000000002 "}, "0000");

    caso("pis de CEI na serie 109", "CriticaPisInscricao", {"10900000004", "3"}, "0000");
    caso("pis nao numerico", "CriticaPisInscricao", {"ABC", "1"}, "0000");

    caso("nome vazio", "CriticaNomeEmpregado", {"   ", kPisTabela}, "0160");
    caso("quatro letras iguais antes da contagem", "CriticaNomeEmpregado", {"AAAA", ""}, "3100");
    caso("uma palavra", "CriticaNomeEmpregado", {"JOAO", ""}, "0161");
    caso("aspas", "CriticaNomeEmpregado", {"JOAO D\"AVILA", ""}, "0020");
    caso("pis da tabela, primeiro nome diferente", "CriticaNomeEmpregado", {"PEDRO SILVA", kPisTabela}, "3647");
    caso("pis da tabela, primeiro nome igual", "CriticaNomeEmpregado", {"JOAO SOUZA", kPisTabela}, "0000");
    caso("primeiros nomes comparados como estao", "CriticaNomeEmpregado", {"Joao Silva", kPisTabela}, "3647");
    caso("nome de uma palavra na tabela", "CriticaNomeEmpregado", {"ANA PAULA", kPisUmaPalavra}, "0000");
    caso("par fixo em minusculas", "CriticaNomeEmpregado", {"maria aparecida dos santos", "20111222332"},
         "0000");
    caso("par fixo, nome diferente", "CriticaNomeEmpregado", {"MARIA APARECIDA SANTOS", "20111222332"}, "3647");
    caso("segundo par fixo", "CriticaNomeEmpregado", {"JOSE CARLOS", "12099999998"}, "3647");
    caso("pis desconhecido", "CriticaNomeEmpregado", {"QUALQUER NOME", "12345678919"}, "0000");

    caso("cpf vazio", "CriticaCpfEmpregado", {""}, "0000");
    caso("cpf curto", "CriticaCpfEmpregado", {"1234567890"}, "0040");
    caso("cpf zeros", "CriticaCpfEmpregado", {"00000000000"}, "0000");
    caso("cpf valido", "CriticaCpfEmpregado", {"12345678909"}, "0000");
    caso("cpf de um digito repetido", "CriticaCpfEmpregado", {"11111111111"}, "0210");
    caso("cpf digito errado", "CriticaCpfEmpregado", {"12345678900"}, "0210");

    caso("sem cpf, tipo 10 sem desligamento", "CriticaCpfObrigatorio", {"", "10", "", "2"}, "3722");
    caso("cpf zeros, desligamento zeros", "CriticaCpfObrigatorio", {"00000000000", "96", "0000", ""}, "3722");
    caso("sem cpf, desligado", "CriticaCpfObrigatorio", {"", "10", "1503", "2"}, "0000");
    caso("sem cpf, com alvara", "CriticaCpfObrigatorio", {"", "10", "", "1"}, "0000");
    caso("sem cpf, tipo 20", "CriticaCpfObrigatorio", {"", "20", "", "2"}, "0000");
    caso("sem cpf, tipo nao numerico", "CriticaCpfObrigatorio", {"", "1A", "", "2"}, "0000");
    caso("com cpf", "CriticaCpfObrigatorio", {"12345678909", "10", "", "2"}, "0000");

    caso("nascimento vazio", "CriticaDataNascimento", {""}, "0170");
    caso("nascimento zeros", "CriticaDataNascimento", {"00000000"}, "0170");
    caso("nascimento curto", "CriticaDataNascimento", {"0101199"}, "0040");
    caso("31 de fevereiro", "CriticaDataNascimento", {"31021990"}, "0175");
    caso("ano 1900", "CriticaDataNascimento", {"31121900"}, "0175");
    caso("ano 1901", "CriticaDataNascimento", {"01011901"}, "0000");

    caso("14 anos no ano-base", "CriticaNascimento", {"31121996", "2010"}, "0176");
    caso("10 anos", "CriticaNascimento", {"01012000", "2010"}, "0176");
    caso("9 anos", "CriticaNascimento", {"01012001", "2010"}, "0172");
    caso("15 anos", "CriticaNascimento", {"01011995", "2010"}, "0000");
    caso("nascido depois do ano-base", "CriticaNascimento", {"01012011", "2010"}, "0174");
    caso("ano de nascimento nao numerico", "CriticaNascimento", {"0101ABCD", "2010"}, "0000");
    caso("ano vazio", "CriticaNascimento", {"01012011", " "}, "0000");
    caso("ano de nascimento zero", "CriticaNascimento", {"01010000", "2010"}, "0000");

    caso("sexo 2", "CriticaSexo", {" 2 "}, "0000");
    caso("sexo 3", "CriticaSexo", {"3"}, "3524");
    caso("sexo vazio", "CriticaSexo", {""}, "3524");

    caso("raca vazia", "CriticaRaca", {" "}, "0480");
    caso("raca cadastrada", "CriticaRaca", {"2"}, "0000");
    caso("raca nao cadastrada", "CriticaRaca", {"3"}, "0481");

    caso("indicador 1", "CriticaIndicadorDeficiencia", {"1"}, "0000");
    caso("indicador 0", "CriticaIndicadorDeficiencia", {"0"}, "0001");

    caso("arquivo: tipo nao numerico", "CriticaTipoDeficiencia", {"A", "1", "arquivo"}, "3701");
    caso("arquivo: tipo vazio", "CriticaTipoDeficiencia", {"", "2", "arquivo"}, "3701");
    caso("arquivo: tipo 7", "CriticaTipoDeficiencia", {"7", "1", "arquivo"}, "3701");
    caso("arquivo: tipo 6 fora da tabela", "CriticaTipoDeficiencia", {"6", "1", "arquivo"}, "0000");
    caso("arquivo: tipo 0 com deficiencia", "CriticaTipoDeficiencia", {"0", "1", "arquivo"}, "3701");
    caso("arquivo: tipo 1 sem deficiencia", "CriticaTipoDeficiencia", {"1", "2", "arquivo"}, "3701");
    caso("arquivo: tipo 0 sem deficiencia", "CriticaTipoDeficiencia", {"0", "2", "arquivo"}, "0000");
    caso("indicador vazio", "CriticaTipoDeficiencia", {"1", "", ""}, "3701");
    caso("tipo vazio com deficiencia", "CriticaTipoDeficiencia", {"", "1", ""}, "3701");
    caso("tipo 3 sem deficiencia", "CriticaTipoDeficiencia", {"3", "2", ""}, "3701");
    caso("tipo 0 sem deficiencia", "CriticaTipoDeficiencia", {"0", "2", ""}, "0000");
    caso("tipo vazio sem deficiencia", "CriticaTipoDeficiencia", {"", "2", ""}, "0000");
    caso("tipo da tabela", "CriticaTipoDeficiencia", {"1", "1", ""}, "0000");
    caso("tipo 0 fora da tabela", "CriticaTipoDeficiencia", {"0", "1", ""}, "3701");
    caso("tipo 6 fora da tabela", "CriticaTipoDeficiencia", {"6", "1", ""}, "3701");
}

void tst_ugRegrasEmpregado::nomeVoltaSemBrancos()
{
    QString nome = QStringLiteral("  JOAO SOUZA  ");
    QCOMPARE(CriticaNomeEmpregado(nome, kPisTabela), QStringLiteral("0000"));
    QCOMPARE(nome, QStringLiteral("JOAO SOUZA"));
}

void tst_ugRegrasEmpregado::paresFixosTemPisValido()
{
    for (const PisNomeConhecido &par : kPisNomesConhecidos) {
        QVERIFY2(ValidaPisPasep(QString::fromLatin1(par.pis)), par.pis);
        QCOMPARE(CriticaPis(QLatin1String(par.pis)), QStringLiteral("0000"));
    }
}

void tst_ugRegrasEmpregado::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0001", "0020", "0040", "0150", "0153", "0160", "0161", "0170", "0172", "0174",
                             "0175", "0210", "0480", "0481", "3100", "3524", "3647", "3701", "3722"},
                            {"0176"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasEmpregado)
#include "tst_ugRegrasEmpregado.moc"
