// What the establishment form decides without its controls: the other prefixes of the inscription, the
// entity question and the union value steps.

#include "app/base/Presenter.h"
#include "app/ugConfiguracao.h"
#include "entry/ugDadosEstabEconomicas.h"

#include "LinhasDeclaracao.h"
#include "ProgramaTeste.h"
#include "ScriptedPresenter.h"

#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kCnpj = QStringLiteral("11222333000181");
const QString kAno = QStringLiteral("2010");
const QString kEntidade = QStringLiteral("33000167000101");

void gravaPrefixo(const QString &prefixo, const QString &razao, const QString &natureza, const QString &cnae)
{
    gravaEstab(kAno, kCnpj, prefixo, razao,
               {{QStringLiteral("CoNaturezaJuridica"), natureza}, {QStringLiteral("CoCnae2"), cnae}});
}

EstabelecimentoSalvo salvo(const QString &prefixo, const QString &razao, const QString &natureza,
                           const QString &cnae)
{
    return {kAno, kCnpj, QStringLiteral("1"), QStringLiteral("00000000000000"), prefixo, razao, natureza, cnae};
}

using Lista = QList<DivergenciaPrefixo>;

} // namespace

Q_DECLARE_METATYPE(QList<gdvorn::DivergenciaPrefixo>)

class tst_ugDadosEstabEconomicas : public QObject {
    Q_OBJECT

private slots:
    void init() { m_programa = std::make_unique<ProgramaTeste>(); }
    void cleanup()
    {
        m_programa.reset();
        Configuracao().CnpjOrgaoProprietario.clear();
    }

    void outrosPrefixos_data();
    void outrosPrefixos();
    void outrosPrefixosDeOutraInscricaoNaoContam();
    void textosDasDivergencias();

    void entidade_data();
    void entidade();

    void valorSindical_data();
    void valorSindical();

private:
    std::unique_ptr<ProgramaTeste> m_programa;
};

void tst_ugDadosEstabEconomicas::outrosPrefixos_data()
{
    QTest::addColumn<int>("outros");        // other prefixes stored: 0, 1 or 2
    QTest::addColumn<QString>("razao");     // name being saved under "01"
    QTest::addColumn<QString>("natureza");
    QTest::addColumn<QString>("cnae");
    QTest::addColumn<Lista>("esperado");

    // The row being saved is stored with an old name: only the other prefixes count.
    QTest::newRow("prefixo único") << 0 << "NOVO NOME" << "2062" << "4711301" << Lista{};
    QTest::newRow("agora concordam") << 1 << "EMPRESA A" << "2062" << "4711301" << Lista{};
    QTest::newRow("nome diverge") << 1 << "NOVO NOME" << "2062" << "4711301"
                                  << Lista{DivergenciaPrefixo::RazaoSocial};
    QTest::newRow("natureza diverge") << 1 << "EMPRESA A" << "2135" << "4711301"
                                      << Lista{DivergenciaPrefixo::NaturezaJuridica};
    // One row gives at most one warning, the first that applies.
    QTest::newRow("tudo diverge de um") << 1 << "X" << "2135" << "0111301" << Lista{DivergenciaPrefixo::RazaoSocial};
    // The second row gives the next one; each kind once.
    QTest::newRow("tudo diverge de dois") << 2 << "X" << "2135" << "0111301"
                                          << Lista{DivergenciaPrefixo::RazaoSocial,
                                                   DivergenciaPrefixo::NaturezaJuridica};
    QTest::newRow("brancos em volta") << 1 << " EMPRESA A " << "2062" << "4711301" << Lista{};
}

void tst_ugDadosEstabEconomicas::outrosPrefixos()
{
    QFETCH(int, outros);
    QFETCH(QString, razao);
    QFETCH(QString, natureza);
    QFETCH(QString, cnae);
    gravaPrefixo(QStringLiteral("01"), QStringLiteral("NOME ANTIGO"), QStringLiteral("2062"), QStringLiteral("4711301"));
    if (outros >= 1)
        gravaPrefixo(QStringLiteral("00"), QStringLiteral("EMPRESA A"), QStringLiteral("2062"), QStringLiteral("4711301"));
    if (outros >= 2)
        gravaPrefixo(QStringLiteral("02"), QStringLiteral("EMPRESA B"), QStringLiteral("2062"), QStringLiteral("4711301"));
    QTEST(DivergenciasOutrosPrefixos(salvo(QStringLiteral("01"), razao, natureza, cnae)), "esperado");
}

void tst_ugDadosEstabEconomicas::outrosPrefixosDeOutraInscricaoNaoContam()
{
    gravaPrefixo(QStringLiteral("01"), QStringLiteral("EMPRESA A"), QStringLiteral("2062"), QStringLiteral("4711301"));
    // Another year, another type, another CEI vinculado: none of them is the same inscription.
    gravaEstab(QStringLiteral("2011"), kCnpj, QStringLiteral("00"), QStringLiteral("OUTRO ANO"));
    gravaEstab(kAno, kCnpj, QStringLiteral("03"), QStringLiteral("OUTRO TIPO"), {{QStringLiteral("InInscrEstabelecimento"), QStringLiteral("3")}});
    gravaEstab(kAno, kCnpj, QStringLiteral("04"), QStringLiteral("OUTRO CEI"),
               {{QStringLiteral("CoCgcVinculado"), QStringLiteral("00000100000002")}});
    QVERIFY(DivergenciasOutrosPrefixos(salvo(QStringLiteral("01"), QStringLiteral("EMPRESA A"), QStringLiteral("2062"),
                                             QStringLiteral("4711301")))
                .isEmpty());
}

void tst_ugDadosEstabEconomicas::textosDasDivergencias()
{
    QCOMPARE(TextoDivergencia(DivergenciaPrefixo::RazaoSocial),
             QStringLiteral("Esta inscrição já esta cadastrada com outra Razão Social. Verificar qual a correta."));
    QCOMPARE(TextoDivergencia(DivergenciaPrefixo::NaturezaJuridica),
             QStringLiteral("Esta Inscrição já esta cadastrada com outra Natureza Jurídica. Verificar qual a correta."));
    QCOMPARE(TextoDivergencia(DivergenciaPrefixo::Cnae),
             QStringLiteral("Esta inscrição já esta cadastrada com outro CNAE. Verificar qual o correto."));
}

void tst_ugDadosEstabEconomicas::entidade_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("cnpj");
    QTest::addColumn<QString>("orgao");        // the owning body's CNPJ in the settings
    QTest::addColumn<int>("resposta");         // -1: no question expected
    QTest::addColumn<bool>("aceito");

    const int sind = int(EntidadeEstab::Sindical), assoc = int(EntidadeEstab::Associativa);
    const int sim = int(MessageButton::Yes), nao = int(MessageButton::No);
    QTest::newRow("na tabela") << sind << kEntidade << "" << -1 << true;
    QTest::newRow("fora, Sim") << sind << "11444777000161" << "" << sim << true;
    QTest::newRow("fora, Não") << assoc << "11444777000161" << "" << nao << false;
    QTest::newRow("órgão como sindical") << sind << "11444777000161" << "11444777000161" << -1 << true;
    QTest::newRow("órgão como associativa") << assoc << "11444777000161" << "11444777000161" << nao << false;
    // Until the owning body's CNPJ is set, nothing is exempt.
    QTest::newRow("órgão vazio") << sind << "11444777000161" << "" << nao << false;
}

void tst_ugDadosEstabEconomicas::entidade()
{
    QFETCH(int, tipo);
    QFETCH(QString, cnpj);
    QFETCH(QString, orgao);
    QFETCH(int, resposta);
    ProgramaTeste::addRow(QStringLiteral("tbempreg"), {kEntidade});
    Configuracao().CnpjOrgaoProprietario = orgao;
    ScriptedPresenter p;
    if (resposta >= 0)
        p.answer(MessageButton(resposta));
    QTEST(ConfereEntidadeEstab(EntidadeEstab(tipo), cnpj), "aceito");
    QCOMPARE(p.boxes.size(), resposta >= 0 ? 1 : 0);
    if (resposta >= 0) {
        QCOMPARE(p.boxes.first().kind, MessageKind::Confirmation);
        QCOMPARE(p.boxes.first().text, PerguntaEntidade(EntidadeEstab(tipo)));
        QCOMPARE(p.boxes.first().buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No}));
    }
}

void tst_ugDadosEstabEconomicas::valorSindical_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("centavos");

    QTest::newRow("vírgula") << "1,5" << "0000" << "000000150";
    QTest::newRow("ponto é milhar") << "1.5" << "0000" << "000001500";
    QTest::newRow("branco") << "  " << "0000" << "000000000";
    QTest::newRow("milhares") << "1.234.567,89" << "0000" << "123456789";
    QTest::newRow("não é número") << "1,2,3" << "0040" << "";
    QTest::newRow("dez dígitos") << "12345678,90" << "0315" << "1234567890";
    // A negative amount is refused by the value rule, never stored.
    QTest::newRow("negativo") << "-5" << "0040" << "00000-500";
}

void tst_ugDadosEstabEconomicas::valorSindical()
{
    QFETCH(QString, texto);
    QFETCH(QString, centavos);
    const ValorDigitado p = CriticaValorSindical(texto);
    QTEST(p.Codigo, "codigo");
    if (!centavos.isEmpty())
        QCOMPARE(p.Centavos, centavos);
}

QTEST_MAIN(tst_ugDadosEstabEconomicas)
#include "tst_ugDadosEstabEconomicas.moc"
