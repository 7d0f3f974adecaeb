// Establishment activity rules: each rule's codes in the order its tests decide, CNAE and legal nature
// looked up in code tables that the test fills, closure with and without the file-analysis flag.

#include "rules/ugRegrasAtividade.h"

#include "FixtureTabelas.h"
#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaCnae", test::regra(&CriticaCnae)},
    {"CriticaNaturezaJuridica", test::regra(&CriticaNaturezaJuridica)},
    {"CriticaMesDataBase", test::regra(&CriticaMesDataBase)},
    {"CriticaDataBaseNegativa", test::regra(&CriticaDataBaseNegativa)},
    {"CriticaIndicadorNegativaValor", test::regra(&CriticaIndicadorNegativaValor)},
    {"CriticaIndicadorNegativa", test::regra(&CriticaIndicadorNegativa)},
    {"CriticaAtividadeAnoBase", test::regra(&CriticaAtividadeAnoBase)},
    {"CriticaPorte", test::regra(&CriticaPorte)},
    {"CriticaOptanteSimples", test::regra(&CriticaOptanteSimples)},
    {"CriticaSimplesPorte", test::regra(&CriticaSimplesPorte)},
    {"CriticaNaturezaNome", test::regra(&CriticaNaturezaNome)},
    {"CriticaCnaeNome", test::regra(&CriticaCnaeNome)},
};

} // namespace

class tst_ugRegrasAtividade : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        m_tabelas->insere(QStringLiteral("tb8cnae"), {{"CoCnae", "8411600"}, {"NoCnae", "ADMINISTRACAO PUBLICA"}});
        m_tabelas->insere(QStringLiteral("tb8natju"), {{"CoNaturezaJuridica", "1031"}, {"NoNaturezaJuridica", "MUNICIPIO"}});
    }
    void cleanupTestCase() { m_tabelas.reset(); }

    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void encerramento_data();
    void encerramento();
    void codigosTemMensagemInstalada();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugRegrasAtividade::regras_data()
{
    test::colunasDeRegras();
    const auto linha = [](const char *nome, const char *regra, const char *a, const char *b, const char *c,
                          const char *esperado) { test::caso(nome, regra, {a, b, c}, esperado); };
    linha("cnae vazio", "CriticaCnae", " ", "", "", "0360");
    linha("cnae curto", "CriticaCnae", "841160", "", "", "0040");
    linha("cnae zeros", "CriticaCnae", "0000000", "", "", "0360");
    linha("cnae ausente", "CriticaCnae", "8112500", "", "", "0361");
    linha("cnae", "CriticaCnae", "8411600", "", "", "0000");
    linha("natureza vazia", "CriticaNaturezaJuridica", "", "", "", "0370");
    linha("natureza letra", "CriticaNaturezaJuridica", "10A1", "", "", "0040");
    linha("natureza zeros", "CriticaNaturezaJuridica", "0000", "", "", "0370");
    linha("natureza ausente", "CriticaNaturezaJuridica", "2062", "", "", "0371");
    linha("natureza", "CriticaNaturezaJuridica", "1031", "", "", "0000");

    linha("mes vazio", "CriticaMesDataBase", "", "", "", "0030");
    linha("mes um digito", "CriticaMesDataBase", "5", "", "", "0040");
    linha("mes 00", "CriticaMesDataBase", "00", "", "", "0000");
    linha("mes 12", "CriticaMesDataBase", "12", "", "", "0000");
    linha("mes 13", "CriticaMesDataBase", "13", "", "", "0071");
    linha("mes 00 com empregados", "CriticaDataBaseNegativa", "00", "0", "", "0070");
    linha("mes 00 sem empregados", "CriticaDataBaseNegativa", "00", "1", "", "0000");
    linha("mes com empregados", "CriticaDataBaseNegativa", "05", "0", "", "0000");

    linha("negativa vazia", "CriticaIndicadorNegativaValor", "", "", "", "0140");
    linha("negativa letra", "CriticaIndicadorNegativaValor", "S", "", "", "0040");
    linha("negativa 2", "CriticaIndicadorNegativaValor", "2", "", "", "0140");
    linha("negativa 1", "CriticaIndicadorNegativaValor", "1", "", "", "0000");
    linha("com empregados", "CriticaIndicadorNegativa", "0", "3", "", "0000");
    linha("sem empregados CEI", "CriticaIndicadorNegativa", "1", "3", "00000000000000", "0133");
    linha("sem empregados CNPJ com CEI zeros", "CriticaIndicadorNegativa", "1", "1", "00000000000000", "0000");
    linha("sem empregados CNPJ com CEI vazio", "CriticaIndicadorNegativa", "1", "1", "", "0133");
    linha("sem empregados CNPJ com CEI", "CriticaIndicadorNegativa", "1", "1", "00000100000002", "0133");

    linha("atividade 1", "CriticaAtividadeAnoBase", "1", "", "", "0000");
    linha("atividade 3", "CriticaAtividadeAnoBase", "3", "", "", "3668");
    linha("porte 3", "CriticaPorte", "3", "", "", "0000");
    linha("porte 4", "CriticaPorte", "4", "", "", "3124");
    linha("porte vazio", "CriticaPorte", "", "", "", "3124");
    linha("simples 2", "CriticaOptanteSimples", "2", "", "", "0000");
    linha("simples vazio", "CriticaOptanteSimples", "", "", "", "3604");
    linha("porte 3 no simples", "CriticaSimplesPorte", "1", "3", "", "3125");
    linha("porte 3 fora do simples", "CriticaSimplesPorte", "2", "3", "", "0000");
    linha("porte 1 no simples", "CriticaSimplesPorte", "1", "1", "", "0000");

    linha("prefeitura 1031", "CriticaNaturezaNome", "1031", "PREFEITURA MUNICIPAL DE X", "", "0000");
    linha("prefeitura outra natureza", "CriticaNaturezaNome", "2062", "prefeitura municipal", "", "0372");
    linha("pref sozinho", "CriticaNaturezaNome", "2062", " PREF. ", "", "0372");
    linha("pref. e mais", "CriticaNaturezaNome", "2062", "PREF. MUNICIPAL", "", "0000");
    linha("empresa", "CriticaNaturezaNome", "2062", "EMPRESA", "", "0000");
    linha("prefeitura cnae 84", "CriticaCnaeNome", "8411600", "PREFEITURA MUNICIPAL", "", "0000");
    linha("prefeitura outro cnae", "CriticaCnaeNome", "4711302", "PREFEITURA MUNICIPAL", "", "0363");
    linha("condominio 8112500", "CriticaCnaeNome", "8112500", "CONDOMINIO EDIFICIO A", "", "0000");
    linha("condominio outro cnae", "CriticaCnaeNome", "4711302", "Condominio A", "", "0362");
    linha("edificio outro cnae", "CriticaCnaeNome", "4711302", "EDIFICIO A", "", "0362");
    linha("edificio 8112500", "CriticaCnaeNome", "8112500", "EDIFICIO A", "", "0000");
}

void tst_ugRegrasAtividade::encerramento_data()
{
    QTest::addColumn<QString>("indicador");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("arquivo");
    QTest::newRow("aberto sem data") << "2" << "" << "0000" << "3514";
    QTest::newRow("aberto data de quatro") << "2" << "1205" << "0000" << "0000";
    QTest::newRow("aberto data zeros") << "2" << "00000000" << "0000" << "0000";
    QTest::newRow("aberto com data") << "2" << "12052010" << "3515" << "3515";
    QTest::newRow("aberto data com brancos") << "" << " 1205 " << "3515" << "3515";
    QTest::newRow("encerrado sem data") << "1" << "  " << "3513" << "3513";
    QTest::newRow("encerrado data zeros") << "1" << "00000000" << "3513" << "3513";
    QTest::newRow("encerrado data curta") << "1" << "120510" << "0040" << "0040";
    QTest::newRow("encerrado 31 de abril") << "1" << "31042010" << "3514" << "3514";
    QTest::newRow("encerrado no ano seguinte") << "1" << "01012011" << "3516" << "3516";
    QTest::newRow("encerrado no ano anterior") << "1" << "31122009" << "3516" << "3516";
    QTest::newRow("encerrado no primeiro dia") << "1" << "01012010" << "0000" << "0000";
    QTest::newRow("encerrado no ultimo dia") << "1" << " 31122010 " << "0000" << "0000";
}

void tst_ugRegrasAtividade::encerramento()
{
    QFETCH(QString, indicador);
    QFETCH(QString, data);
    QFETCH(QString, entrada);
    QFETCH(QString, arquivo);
    const QString ano = QStringLiteral("2010");
    QCOMPARE(CriticaEncerramentoAtividade(indicador, data, ano, false), entrada);
    QCOMPARE(CriticaEncerramentoAtividade(indicador, data, ano, true), arquivo);
}

void tst_ugRegrasAtividade::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0070", "0071", "0133", "0140", "0360", "0361", "0362", "0370", "0371", "3124", "3125",
                             "3513", "3514", "3515", "3516", "3604", "3668"},
                            {"0363", "0372"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasAtividade)
#include "tst_ugRegrasAtividade.moc"
