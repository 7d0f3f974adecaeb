// Admission rules: each rule's codes in the order its tests decide; the minimum age around the
// 2007/2008 threshold and on the birthdays that fall on the limits (29 February births included); the
// minors' bands and the work permit; the admission type against the legal nature. The base year is
// 2010.

#include "rules/ugRegrasAdmissao.h"

#include "app/ugConfiguracao.h"

#include "CasosDeRegras.h"
#include "FixtureTabelas.h"

#include <QLocale>
#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaDataAdmissao", test::regra(&CriticaDataAdmissao)},
    {"CriticaAdmissaoAnoBase", test::regra(&CriticaAdmissaoAnoBase)},
    {"CriticaAdmissaoEncerramento", test::regra(&CriticaAdmissaoEncerramento)},
    {"CriticaAdmissaoChegada", test::regra(&CriticaAdmissaoChegada)},
    {"CriticaIdadeMinimaAdmissao", test::regra(&CriticaIdadeMinimaAdmissao)},
    {"CriticaIdadeAdmissao", test::regra(&CriticaIdadeAdmissao)},
    {"CriticaIndicadorAlvara", test::regra(&CriticaIndicadorAlvara)},
    {"CriticaTipoAdmissao", test::regra(&CriticaTipoAdmissao)},
    {"CriticaTipoAdmissaoNatureza", test::regra(&CriticaTipoAdmissaoNatureza)},
};

} // namespace

class tst_ugRegrasAdmissao : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_tabelas.reset(); }
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void idadeNaoDependeDoLocale();
    void anoBaseDoContexto();
    void codigosTemMensagemInstalada();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugRegrasAdmissao::initTestCase()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    m_tabelas->insere(QStringLiteral("tb8tpadm"), QList<QVariantMap>{
        {{"CoTipoAdmissao", "1"}, {"NoTipoAdmissao", "Primeiro emprego"}},
        {{"CoTipoAdmissao", "2"}, {"NoTipoAdmissao", "Reemprego"}},
    });
}

void tst_ugRegrasAdmissao::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("admissao vazia", "CriticaDataAdmissao", {" "}, "0392");
    caso("admissao zeros", "CriticaDataAdmissao", {"00000000"}, "0392");
    caso("admissao curta", "CriticaDataAdmissao", {"3112191"}, "0040");
    caso("31/12/1910", "CriticaDataAdmissao", {"31121910"}, "0390");
    caso("01/01/1911", "CriticaDataAdmissao", {"01011911"}, "0000");
    caso("30 de fevereiro", "CriticaDataAdmissao", {"30022010"}, "0390");
    caso("29/02 de ano secular bissexto", "CriticaDataAdmissao", {"29022000"}, "0000");
    caso("29/02 de ano secular comum", "CriticaDataAdmissao", {"29022100"}, "0390");
    caso("31 de abril", "CriticaDataAdmissao", {"31042010"}, "0390");
    caso("dia zero", "CriticaDataAdmissao", {"00012010"}, "0390");
    caso("mes 13", "CriticaDataAdmissao", {"01132010"}, "0390");
    caso("ano zero", "CriticaDataAdmissao", {"01010000"}, "0390");
    caso("admissao entre brancos", "CriticaDataAdmissao", {" 31122010 "}, "0000");

    caso("admissao apos o ano-base", "CriticaAdmissaoAnoBase", {"01012011", "2010"}, "0391");
    caso("admissao no fim do ano-base", "CriticaAdmissaoAnoBase", {"31122010", "2010"}, "0000");
    caso("ano zeros", "CriticaAdmissaoAnoBase", {"01012011", "0000"}, "0000");
    caso("ano vazio", "CriticaAdmissaoAnoBase", {"01012011", ""}, "0000");
    caso("admissao nao numerica", "CriticaAdmissaoAnoBase", {"0101201A", "2010"}, "0000");

    caso("admissao apos o encerramento", "CriticaAdmissaoEncerramento", {"10032010", "11032010"}, "0394");
    caso("admissao no dia do encerramento", "CriticaAdmissaoEncerramento", {"10032010", "10032010"}, "0000");
    // Compared as YYYYMMDD: as DDMMYYYY text, "31122009" would come after "01012010".
    caso("encerramento no ano anterior", "CriticaAdmissaoEncerramento", {"31122009", "01012010"}, "0394");
    caso("sem encerramento", "CriticaAdmissaoEncerramento", {"00000000", "11032010"}, "0000");
    caso("encerramento vazio", "CriticaAdmissaoEncerramento", {"", "11032010"}, "0000");

    caso("estrangeiro admitido antes da chegada", "CriticaAdmissaoChegada", {"2005", "31122004", "21"}, "0194");
    caso("admitido no ano da chegada", "CriticaAdmissaoChegada", {"2005", "01012005", "21"}, "0000");
    caso("brasileiro", "CriticaAdmissaoChegada", {"2005", "31122004", "10"}, "0000");
    caso("chegada de 2 digitos", "CriticaAdmissaoChegada", {"05", "31122004", "21"}, "0000");

    // Admitted in 2008 or later: 10 years; in 2007 or earlier: 9.
    caso("2008, 10 anos no dia seguinte", "CriticaIdadeMinimaAdmissao", {"15031998", "14032008"}, "0173");
    caso("2008, no 10o aniversario", "CriticaIdadeMinimaAdmissao", {"15031998", "15032008"}, "0000");
    caso("2007, 9 anos no dia seguinte", "CriticaIdadeMinimaAdmissao", {"15031998", "14032007"}, "0169");
    caso("2007, no 9o aniversario", "CriticaIdadeMinimaAdmissao", {"15031998", "15032007"}, "0000");
    caso("9 anos e meio em 31/12/2007", "CriticaIdadeMinimaAdmissao", {"01071998", "31122007"}, "0000");
    caso("9 anos e meio em 01/01/2008", "CriticaIdadeMinimaAdmissao", {"01071998", "01012008"}, "0173");
    caso("ano-base, vespera dos 14", "CriticaIdadeMinimaAdmissao", {"15031996", "14032010"}, "0171");
    caso("ano-base, nos 14", "CriticaIdadeMinimaAdmissao", {"15031996", "15032010"}, "0000");
    caso("2009, aos 13", "CriticaIdadeMinimaAdmissao", {"15031996", "14032009"}, "0000");
    // 29/02/1996 plus 14 years is 28/02/2010; 29/02/2000 plus 10 is 28/02/2010.
    caso("29/02, nos 14 em 28/02", "CriticaIdadeMinimaAdmissao", {"29021996", "28022010"}, "0000");
    caso("29/02, vespera dos 14", "CriticaIdadeMinimaAdmissao", {"29021996", "27022010"}, "0171");
    caso("29/02, vespera dos 10", "CriticaIdadeMinimaAdmissao", {"29022000", "27022010"}, "0173");
    caso("29/02, nos 10", "CriticaIdadeMinimaAdmissao", {"29022000", "28022010"}, "0171");
    caso("nascimento invalido", "CriticaIdadeMinimaAdmissao", {"31022000", "01012010"}, "0000");
    caso("nascimento vazio", "CriticaIdadeMinimaAdmissao", {"", "01012010"}, "0000");

    caso("vespera dos 16, sem alvara, tipo 10", "CriticaIdadeAdmissao", {"2", "15031994", "10", "14032010"},
         "3133");
    caso("nos 16, com alvara", "CriticaIdadeAdmissao", {"1", "15031994", "10", "15032010"}, "3531");
    caso("nos 16, sem alvara", "CriticaIdadeAdmissao", {"2", "15031994", "10", "15032010"}, "0000");
    caso("menor com alvara", "CriticaIdadeAdmissao", {"1", "15031994", "10", "14032010"}, "0000");
    caso("menor aprendiz", "CriticaIdadeAdmissao", {"2", "15031994", "55", "14032010"}, "0000");
    caso("menor aprendiz com alvara", "CriticaIdadeAdmissao", {"1", "15031994", "55", "14032010"}, "3531");
    caso("29/02 de ano comum nao e data", "CriticaIdadeAdmissao", {"2", "29021994", "10", "27022010"}, "0000");
    caso("admitido antes, 15 no ano-base", "CriticaIdadeAdmissao", {"2", "31121995", "10", "01062009"}, "3133");
    caso("admitido antes, 16 no ano-base", "CriticaIdadeAdmissao", {"2", "01011994", "10", "01062009"}, "0000");
    caso("admissao invalida", "CriticaIdadeAdmissao", {"2", "15031994", "10", "30022010"}, "0000");

    caso("alvara 1", "CriticaIndicadorAlvara", {"1"}, "0000");
    caso("alvara 3", "CriticaIndicadorAlvara", {"3"}, "0001");

    caso("tipo vazio", "CriticaTipoAdmissao", {""}, "0221");
    caso("tipo zero", "CriticaTipoAdmissao", {"0"}, "0221");
    caso("tipo letra", "CriticaTipoAdmissao", {"A"}, "0040");
    caso("tipo de 2 digitos", "CriticaTipoAdmissao", {"12"}, "0040");
    caso("tipo cadastrado", "CriticaTipoAdmissao", {"2"}, "0000");
    caso("tipo nao cadastrado", "CriticaTipoAdmissao", {"5"}, "0220");

    caso("tipo 6, natureza acima de 2038", "CriticaTipoAdmissaoNatureza", {"6", "2046"}, "3779");
    caso("tipo 9, natureza 2039", "CriticaTipoAdmissaoNatureza", {"9", "2039"}, "3779");
    caso("tipo 6, natureza 2038", "CriticaTipoAdmissaoNatureza", {"6", "2038"}, "0000");
    caso("tipo 6, natureza 1031", "CriticaTipoAdmissaoNatureza", {"6", "1031"}, "0000");
    caso("tipo 5", "CriticaTipoAdmissaoNatureza", {"5", "2046"}, "0000");
    caso("natureza nao numerica", "CriticaTipoAdmissaoNatureza", {"6", "20A6"}, "0000");
}

void tst_ugRegrasAdmissao::idadeNaoDependeDoLocale()
{
    // The age rules read DDMMYYYY themselves: a program-wide locale whose short dates are month first
    // changes neither their answer nor is it changed by them.
    const QLocale anterior;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString formato = QLocale().dateFormat(QLocale::ShortFormat);
    QCOMPARE(CriticaIdadeMinimaAdmissao(QStringLiteral("12031998"), QStringLiteral("11032008")),
             QStringLiteral("0173"));
    QCOMPARE(CriticaIdadeAdmissao(QStringLiteral("2"), QStringLiteral("12031994"), QStringLiteral("10"),
                                  QStringLiteral("11032010")),
             QStringLiteral("3133"));
    QCOMPARE(QLocale().dateFormat(QLocale::ShortFormat), formato);
    QLocale::setDefault(anterior);
}

void tst_ugRegrasAdmissao::anoBaseDoContexto()
{
    // The "under 14 in the base year" band follows the settings record's base year.
    const int anterior = Configuracao().AnoBase;
    const QString nascimento = QStringLiteral("15031997");
    QCOMPARE(CriticaIdadeMinimaAdmissao(nascimento, QStringLiteral("01062010")), QStringLiteral("0171"));
    Configuracao().AnoBase = 2011;
    QCOMPARE(CriticaIdadeMinimaAdmissao(nascimento, QStringLiteral("01062010")), QStringLiteral("0000"));
    QCOMPARE(CriticaIdadeMinimaAdmissao(nascimento, QStringLiteral("01022011")), QStringLiteral("0171"));
    Configuracao().AnoBase = anterior;
}

void tst_ugRegrasAdmissao::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0001", "0040", "0169", "0173", "0194", "0220", "0221", "0390", "0391", "0392",
                             "0394", "3133", "3531", "3779"},
                            {"0171"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasAdmissao)
#include "tst_ugRegrasAdmissao.moc"
