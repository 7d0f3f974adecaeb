// The checks of the hours worked per month: from a link whose hours pass every rule, one month changed
// per case, the rows each finding leaves in te8errwa (kind, code, record type, labels and contents in
// order); the values taken at January's check are renewed for every link.

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "rules/ugConsistencia.h"
#include "rules/ugVerificacoes.h"

#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

namespace {

using Campos = QMap<QString, QString>;

void insere(const QString &tabela, const Campos &campos)
{
    Table t(tabela);
    t.Open();
    t.Append();
    for (auto it = campos.cbegin(); it != campos.cend(); ++it)
        t.FieldByName(it.key()).setAsString(it.value());
    t.Post();
}

const Campos kEstabelecimento = {
    {"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", "01"},
    {"InInscrEstabelecimento", "1"}, {"NoRazaoEstabelecimento", "EMPRESA TESTE"},
};

// A link admitted in 2005, not dismissed, paid 1000,00 and working 10 hours in every month.
Campos vinculo(const char *pis, const Campos &mudancas = {})
{
    Campos c = {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "11222333000181"},
                {"NuPrefixoEstabelecimento", "01"}, {"CoPisPasepEmpregado", QString::fromLatin1(pis)},
                {"DaAdmissaoEmpregado", "01022005"}, {"NoEmpregado", "FULANO DE TAL"},
                {"DaDesligamentoEmpregado", "0000"}};
    for (const char *m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto",
                          "Setembro", "Outubro", "Novembro", "Dezembro"}) {
        c.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(m)), QStringLiteral("000100000"));
        c.insert(QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(m)), QStringLiteral("010"));
    }
    for (auto it = mudancas.cbegin(); it != mudancas.cend(); ++it)
        c.insert(it.key(), it.value());
    return c;
}

// The rows the run left: "errwar retorno tiporegistro lbl=Conteudo pis".
QStringList achados()
{
    Query existe;
    existe.setSql(QStringLiteral("select count(*) as n from sqlite_master where name = 'te8errwa'"));
    existe.Open();
    QStringList l;
    if (existe.FieldByName(QStringLiteral("n")).AsInteger() == 0)
        return l;
    Table t(QStringLiteral("te8errwa"));
    t.Open();
    for (; !t.Eof(); t.Next()) {
        const auto f = [&](const char *nome) { return t.FieldByName(QLatin1String(nome)).AsString(); };
        l << QStringLiteral("%1 %2 %3 %4=%5 %6")
                 .arg(f("errwar"), f("retorno"), f("tiporegistro"), f("lbl"), f("Conteudo"), f("copispasep"));
    }
    return l;
}

QStringList analisa()
{
    SequenciasConsistencia s;
    VerificacoesHorasVinculo(s);
    AnalisaDeclaracao(nullptr, databaseFolder(), false, nullptr, QStringLiteral("2010"), false, false, false, &s);
    return achados();
}

} // namespace

class tst_ugVerificacoesHorasVinculo : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dados = std::make_unique<test::TempDataFolder>(); }
    void cleanup() { m_dados.reset(); }
    void verificacoes_data();
    void verificacoes();
    void dadosRenovadosPorVinculo();

private:
    std::unique_ptr<test::TempDataFolder> m_dados;
};

void tst_ugVerificacoesHorasVinculo::verificacoes_data()
{
    QTest::addColumn<Campos>("estabelecimento");
    QTest::addColumn<Campos>("mudancas");
    QTest::addColumn<QStringList>("linhas");
    const QString pis = QStringLiteral("13000000002");
    const auto s = [](const char *t) { return QString::fromLatin1(t); };

    QTest::newRow("vinculo valido") << kEstabelecimento << Campos{} << QStringList{};
    QTest::newRow("horas nao numericas em marco")
        << kEstabelecimento << Campos{{"HoTrabalhadasMarco", "1A"}, {"VaMarcoEmpregado", "000000000"}}
        << QStringList{s("err 0030 2 3670=1A 13000000002")};
    QTest::newRow("horas sem remuneracao em maio")
        << kEstabelecimento << Campos{{"VaMaioEmpregado", "000000000"}}
        << QStringList{s("err 3677 2 3670=010 13000000002"), s("err 3677 2 1645=000000000 13000000002")};
    QTest::newRow("remuneracao nao numerica vale zero")
        << kEstabelecimento << Campos{{"VaMaioEmpregado", "1000,00"}}
        << QStringList{s("err 3677 2 3670=010 13000000002"), s("err 3677 2 1645=1000,00 13000000002")};
    QTest::newRow("101 horas") << kEstabelecimento << Campos{{"HoTrabalhadasJunho", "101"}}
                               << QStringList{s("war 3698 2 3670=101 13000000002")};
    QTest::newRow("100 horas") << kEstabelecimento << Campos{{"HoTrabalhadasJunho", "100"}} << QStringList{};
    QTest::newRow("horas apos o desligamento")
        << kEstabelecimento
        << Campos{{"DaDesligamentoEmpregado", "1510"}, {"HoTrabalhadasDezembro", "000"},
                  {"VaDezembroEmpregado", "000000000"}, {"VaNovembroEmpregado", "000000000"}}
        << QStringList{s("err 3710 2 3670=010 13000000002"), s("err 3710 2 1651=000000000 13000000002")};
    QStringList antesAdmissao;
    for (int m = 1; m <= 3; ++m)
        antesAdmissao << s("err 3711 2 3670=010 13000000002") << QStringLiteral("err 3711 2 %1=000100000 %2")
                                                                     .arg(1640 + m)
                                                                     .arg(pis);
    QTest::newRow("horas antes da admissao no ano-base")
        << kEstabelecimento << Campos{{"DaAdmissaoEmpregado", "10042010"}} << antesAdmissao;
    Campos encerradoAntes = kEstabelecimento;
    encerradoAntes.insert("InEncerramentoAtividade", "1");
    encerradoAntes.insert("DaEncerramentoAtividade", "31122009");
    QTest::newRow("encerrado em outro ano que a admissao")
        << encerradoAntes << Campos{{"DaAdmissaoEmpregado", "10122010"}, {"VaJaneiroEmpregado", "000000000"}}
        << QStringList{s("err 3677 2 3670=010 13000000002"), s("err 3677 2 1641=000000000 13000000002")};
}

void tst_ugVerificacoesHorasVinculo::verificacoes()
{
    QFETCH(Campos, estabelecimento);
    QFETCH(Campos, mudancas);
    QFETCH(QStringList, linhas);
    insere(QStringLiteral("bd8emp"), estabelecimento);
    insere(QStringLiteral("bd8vinc"), vinculo("13000000002", mudancas));
    QCOMPARE(analisa(), linhas);
}

void tst_ugVerificacoesHorasVinculo::dadosRenovadosPorVinculo()
{
    // The first link, dismissed in October, has hours in November; the second, not dismissed, too.
    insere(QStringLiteral("bd8emp"), kEstabelecimento);
    insere(QStringLiteral("bd8vinc"), vinculo("13000000002", {{"DaDesligamentoEmpregado", "1510"},
                                                              {"HoTrabalhadasDezembro", "000"}}));
    insere(QStringLiteral("bd8vinc"), vinculo("13100000004"));
    QCOMPARE(analisa(), (QStringList{QStringLiteral("err 3710 2 3670=010 13000000002"),
                                     QStringLiteral("err 3710 2 1651=000100000 13000000002")}));
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesHorasVinculo)
#include "tst_ugVerificacoesHorasVinculo.moc"
