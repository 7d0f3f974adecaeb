// Nationality, arrival, education and work-card rules: each rule's codes in the order its tests decide,
// the arrival year against the base year, the birth and the nationality, education against age, and
// the work-card series by nationality.

#include "rules/ugRegrasNacionalidade.h"

#include "CasosDeRegras.h"
#include "FixtureTabelas.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaNacionalidade", test::regra(&CriticaNacionalidade)},
    {"CriticaAnoChegadaNumerico", test::regra(&CriticaAnoChegadaNumerico)},
    {"CriticaAnoChegada", test::regra(&CriticaAnoChegada)},
    {"CriticaAnoChegadaAnoBase", test::regra(&CriticaAnoChegadaAnoBase)},
    {"CriticaAnoChegadaNascimento", test::regra(&CriticaAnoChegadaNascimento)},
    {"CriticaInstrucao", test::regra(&CriticaInstrucao)},
    {"CriticaInstrucaoIdade",
     [](const QStringList &e) { return CriticaInstrucaoIdade(e.value(0), e.value(1), e.value(2) == "analise"); }},
    {"CriticaCarteiraDigitos", test::regra(&CriticaCarteiraDigitos)},
    {"CriticaCarteiraNumerica", test::regra(&CriticaCarteiraNumerica)},
    {"CriticaSerieCarteira", test::regra(&CriticaSerieCarteira)},
    {"CriticaNumeroCarteira", test::regra(&CriticaNumeroCarteira)},
    {"CriticaFormatoSerieCarteira", test::regra(&CriticaFormatoSerieCarteira)},
    {"CriticaCarteiraTrabalho", test::regra(&CriticaCarteiraTrabalho)},
};

} // namespace

class tst_ugRegrasNacionalidade : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_tabelas.reset(); }
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void codigosTemMensagemInstalada();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugRegrasNacionalidade::initTestCase()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    QList<QVariantMap> nacionalidades;
    for (const char *c : {"10", "20", "21"})
        nacionalidades << QVariantMap{{"CoNacionalidade", c}, {"NoNacionalidade", c}};
    m_tabelas->insere(QStringLiteral("tb8nacio"), nacionalidades);
    QList<QVariantMap> niveis;
    for (const char *c : {"01", "05", "09", "11"})
        niveis << QVariantMap{{"CoInstrucao", c}, {"NoInstrucao", c}};
    m_tabelas->insere(QStringLiteral("tb8instr"), niveis);
}

void tst_ugRegrasNacionalidade::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("nacionalidade vazia", "CriticaNacionalidade", {""}, "0180");
    caso("nacionalidade zeros", "CriticaNacionalidade", {"00"}, "0180");
    caso("nacionalidade de um digito", "CriticaNacionalidade", {"1"}, "0040");
    caso("nacionalidade cadastrada", "CriticaNacionalidade", {" 21 "}, "0000");
    caso("nacionalidade nao cadastrada", "CriticaNacionalidade", {"99"}, "0181");

    caso("ano de chegada de 3 digitos", "CriticaAnoChegadaNumerico", {"200"}, "0040");
    caso("ano de chegada de 4 digitos", "CriticaAnoChegadaNumerico", {"2001"}, "0000");

    caso("brasileiro com chegada", "CriticaAnoChegada", {"1999", "10"}, "0190");
    caso("brasileiro sem chegada", "CriticaAnoChegada", {"0000", "10"}, "0000");
    caso("estrangeiro sem chegada", "CriticaAnoChegada", {"0000", "21"}, "0191");
    caso("estrangeiro com chegada", "CriticaAnoChegada", {"1999", "21"}, "0000");
    caso("chegada vazia", "CriticaAnoChegada", {"", "21"}, "0000");
    caso("nacionalidade nao numerica", "CriticaAnoChegada", {"0000", "2A"}, "0000");
    caso("ambos zero", "CriticaAnoChegada", {"0000", "00"}, "0000");

    caso("chegada apos o ano-base", "CriticaAnoChegadaAnoBase", {"2011", "2010", "21"}, "0192");
    caso("chegada no ano-base", "CriticaAnoChegadaAnoBase", {"2010", "2010", "21"}, "0000");
    caso("brasileiro apos o ano-base", "CriticaAnoChegadaAnoBase", {"2011", "2010", "10"}, "0000");
    caso("ano-base vazio", "CriticaAnoChegadaAnoBase", {"2011", "", "21"}, "0000");

    caso("chegada antes do nascimento", "CriticaAnoChegadaNascimento", {"1979", "01011980", "21"}, "0193");
    caso("chegada no ano do nascimento", "CriticaAnoChegadaNascimento", {"1980", "31121980", "21"}, "0000");
    caso("brasileiro antes do nascimento", "CriticaAnoChegadaNascimento", {"1979", "01011980", "10"}, "0000");
    caso("nascimento nao numerico", "CriticaAnoChegadaNascimento", {"1979", "01/01/1980", "21"}, "0000");

    caso("instrucao vazia", "CriticaInstrucao", {""}, "0200");
    caso("instrucao zeros", "CriticaInstrucao", {"00"}, "0200");
    caso("instrucao com letra", "CriticaInstrucao", {"0A"}, "0040");
    caso("instrucao cadastrada", "CriticaInstrucao", {"09"}, "0000");
    caso("instrucao nao cadastrada", "CriticaInstrucao", {"12"}, "0201");

    // Base year 2010.
    caso("mestrado aos 22 no formulario", "CriticaInstrucaoIdade", {"11", "1988", ""}, "3771");
    caso("mestrado aos 22 na analise", "CriticaInstrucaoIdade", {"11", "1988", "analise"}, "3772");
    caso("mestrado aos 23", "CriticaInstrucaoIdade", {"11", "1987", ""}, "0000");
    caso("pos-graduacao aos 22", "CriticaInstrucaoIdade", {"10", "1988", "analise"}, "3772");
    caso("superior aos 18", "CriticaInstrucaoIdade", {"09", "1992", ""}, "3771");
    caso("superior aos 19", "CriticaInstrucaoIdade", {"09", "1991", ""}, "0000");
    caso("medio aos 10", "CriticaInstrucaoIdade", {"07", "2000", ""}, "0000");
    caso("ano de nascimento nao numerico", "CriticaInstrucaoIdade", {"11", "19A8", ""}, "0000");

    caso("carteira numerica", "CriticaCarteiraDigitos", {" 12345678 "}, "0000");
    caso("carteira vazia", "CriticaCarteiraDigitos", {""}, "0212");
    caso("carteira com letra", "CriticaCarteiraDigitos", {"1234567X"}, "0212");

    caso("numero vazio", "CriticaCarteiraNumerica", {"", "10"}, "0000");
    caso("numero zeros", "CriticaCarteiraNumerica", {"00000000", "10"}, "0000");
    caso("numero curto", "CriticaCarteiraNumerica", {"1234567", "10"}, "0040");
    caso("numero de 8", "CriticaCarteiraNumerica", {"12345678", "55"}, "0000");

    caso("serie imprimivel", "CriticaSerieCarteira", {"A1234"}, "0000");
    caso("serie com apostrofo", "CriticaSerieCarteira", {"A'123"}, "0020");

    caso("serie de 6", "CriticaNumeroCarteira", {"12345678", "123456"}, "0215");
    caso("serie sem numero", "CriticaNumeroCarteira", {"00000000", "12345"}, "3723");
    caso("numero sem serie", "CriticaNumeroCarteira", {"12345678", "00000"}, "0214");
    caso("numero com serie vazia", "CriticaNumeroCarteira", {"12345678", ""}, "0214");
    caso("numero e serie", "CriticaNumeroCarteira", {"12345678", "1234"}, "0000");
    caso("nenhum", "CriticaNumeroCarteira", {"", ""}, "0000");

    caso("estrangeiro letra e 4 digitos", "CriticaFormatoSerieCarteira", {"A1234", "21", "12345678"}, "0000");
    caso("brasileiro letra e 4 digitos", "CriticaFormatoSerieCarteira", {"A1234", "10", "12345678"}, "0213");
    caso("naturalizado letra e 4 digitos", "CriticaFormatoSerieCarteira", {"A1234", "20", "12345678"}, "0213");
    caso("estrangeiro 5 digitos", "CriticaFormatoSerieCarteira", {"12345", "21", "12345678"}, "0000");
    caso("brasileiro 5 digitos", "CriticaFormatoSerieCarteira", {"12345", "10", "12345678"}, "0000");
    caso("brasileiro 3 digitos", "CriticaFormatoSerieCarteira", {"123", "10", "12345678"}, "0000");
    caso("estrangeiro 4 caracteres", "CriticaFormatoSerieCarteira", {"A123", "21", "12345678"}, "0213");
    caso("estrangeiro com hifen", "CriticaFormatoSerieCarteira", {"-1234", "21", "12345678"}, "0213");
    caso("sem numero nao se julga", "CriticaFormatoSerieCarteira", {"A1234", "10", "00000000"}, "0000");

    caso("sem carteira e sem cpf", "CriticaCarteiraTrabalho", {"00000000", "", "10", ""}, "0340");
    caso("sem carteira com cpf", "CriticaCarteiraTrabalho", {"", "12345678909", "10", ""}, "0000");
    caso("carteira sem cpf, desligado", "CriticaCarteiraTrabalho", {"12345678", "", "10", "1503"}, "3759");
    caso("carteira sem cpf, empregado", "CriticaCarteiraTrabalho", {"12345678", "", "10", "0000"}, "0000");
    caso("carteira e cpf, desligado", "CriticaCarteiraTrabalho", {"12345678", "12345678909", "10", "1503"},
         "0000");
    caso("vinculo nao numerico", "CriticaCarteiraTrabalho", {"", "", "", ""}, "0000");
}

void tst_ugRegrasNacionalidade::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0020", "0040", "0180", "0181", "0190", "0191", "0192", "0193", "0200", "0201",
                             "0212", "0213", "0214", "0215", "0340", "3723"},
                            {"3759", "3771", "3772"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasNacionalidade)
#include "tst_ugRegrasNacionalidade.moc"
