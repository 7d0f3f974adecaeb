#include "FixtureVinculos.h"

#include "FixtureConsistencia.h"

#include "app/base/Database.h"
#include "app/base/Table.h"
#include "rules/ugConsistencia.h"

namespace gdvorn::test {

namespace {

constexpr const char *kMeses[12] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                    "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};

QVariantMap com(QVariantMap campos, const QVariantMap &mudancas)
{
    for (auto it = mudancas.cbegin(); it != mudancas.cend(); ++it)
        campos.insert(it.key(), it.value());
    return campos;
}

} // namespace

QVariantMap estabelecimentoDeTeste(const QVariantMap &mudancas)
{
    return com(estabelecimentoValido(), mudancas);
}

QVariantMap vinculoDeTeste(const QString &pis, const QVariantMap &mudancas)
{
    QVariantMap c = {{"AnBase", "2010"},
                     {"CoCgcCeiEstabelecimento", "11222333000181"},
                     {"NuPrefixoEstabelecimento", "01"},
                     {"CoPisPasepEmpregado", pis},
                     {"DaAdmissaoEmpregado", "01022005"},
                     {"NoEmpregado", "FULANO DE TAL"},
                     {"DaNascimentoEmpregado", "15031980"},
                     {"InSexo", "1"},
                     {"CoTipoRaca", "2"},
                     {"InDeficienteFisico", "2"},
                     {"CoDeficienteFisico", "0"},
                     {"CoNacionalidade", "10"},
                     {"AnChegadaEmpregado", "0000"},
                     {"CoInstrucao", "07"},
                     {"NuCartTrabEmpregado", "12345678"},
                     {"SeCartTrabEmpregado", "12345"},
                     {"CoCpfEmpregado", "12345678909"},
                     {"CoVinculo", "10"},
                     {"InAlvaraEmpregado", "2"},
                     {"CoTipoAdmissao", "2"},
                     {"VaSalContratualEmpregado", "000100000"},
                     {"CoTipoSalarioContratual", "1"},
                     {"HoSemanaisEmpregado", "44"},
                     {"CoCbo", "411010"},
                     {"CoCausaDesligamento", "00"},
                     {"VaAvisoPrevioEmpregado", "000000000"},
                     {"DaDesligamentoEmpregado", "0000"},
                     {"QtDiasAfas", "000"},
                     {"CoMunicipioTrabalho", "0000000"}};
    for (const char *m : kMeses) {
        c.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(m)), QStringLiteral("000100000"));
        c.insert(QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(m)), QStringLiteral("010"));
    }
    for (const char *f : {"CoMotivoPrimAfas", "CoMotivoSeguAfas", "CoMotivoTercAfas"})
        c.insert(QLatin1String(f), QStringLiteral("00"));
    for (const char *f : {"DaInicioprimeiroAfas", "DaFinalPrimeiroAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas",
                          "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"})
        c.insert(QLatin1String(f), QStringLiteral("0000"));
    return com(c, mudancas);
}

void insereTabelasDoVinculo(FixtureTabelas &tabelas)
{
    tabelas.insere(QStringLiteral("tb8raca"), {{"CoRaca", "2"}, {"NoRaca", "Branca"}});
    tabelas.insere(QStringLiteral("tb8nacio"),
                   QList<QVariantMap>{{{"CoNacionalidade", "10"}, {"NoNacionalidade", "Brasileira"}},
                                      {{"CoNacionalidade", "21"}, {"NoNacionalidade", "Argentina"}}});
    QList<QVariantMap> niveis;
    for (const char *c : {"07", "09", "11"})
        niveis << QVariantMap{{"CoInstrucao", c}, {"NoInstrucao", c}};
    tabelas.insere(QStringLiteral("tb8instr"), niveis);
    tabelas.insere(QStringLiteral("tbdefi"), {{"CoTipoDeficiencia", "1"}, {"NoTipoDeficiencia", "Física"}});
    tabelas.insere(QStringLiteral("tb8tpadm"), QList<QVariantMap>{{{"CoTipoAdmissao", "2"}, {"NoTipoAdmissao", "2"}},
                                                                {{"CoTipoAdmissao", "6"}, {"NoTipoAdmissao", "6"}}});
    tabelas.insere(QStringLiteral("tb8tpsal"),
                   {{"CoTipoSalarioContratual", "1"}, {"NoTipoSalarioContratual", "Mensal"}});
    tabelas.insere(QStringLiteral("tb8cbo"), {{"CoCbo", "411010"}, {"NoCbo", "Assistente"}, {"InCriticaCbo", false},
                                              {"InCriticaAna", false}});
    QList<QVariantMap> vinculos;
    for (const char *c : {"10", "55"})
        vinculos << QVariantMap{{"CoVinculo", c}, {"NoVinculo", c}};
    tabelas.insere(QStringLiteral("tb8vinc"), vinculos);
    QList<QVariantMap> causas;
    for (const char *c : {"11", "32", "71"})
        causas << QVariantMap{{"CoCausaDesligamento", c}, {"NoCausaDesligamento", c}};
    tabelas.insere(QStringLiteral("tb8desl"), causas);
}

ResultadoVerificacoes analisaComGrupos(std::initializer_list<GrupoDeVerificacoes> grupos, bool origemArquivo)
{
    SequenciasConsistencia s;
    for (GrupoDeVerificacoes grupo : grupos)
        grupo(s);
    // After the last check of each link: the occurrences counted so far.
    int contadas = 0;
    s.Vinculo.insert(1000, [&contadas](AnaliseConsistencia &a) { contadas = a.QtdOcorrencias; });
    AnalisaDeclaracao(nullptr, databaseFolder(), false, nullptr, QStringLiteral("2010"), false, false, origemArquivo,
                      &s);
    return {achadosDaAnalise(), contadas};
}

QStringList achadosDaAnalise()
{
    QStringList linhas = linhasOcorrencias();
    if (linhas.isEmpty())
        return linhas;
    Table t(QStringLiteral("te8errwa"));
    t.Open();
    for (int i = 0; !t.Eof() && i < linhas.size(); t.Next(), ++i)
        linhas[i] += QLatin1Char(' ') + t.FieldByName(QStringLiteral("copispasep")).AsString();
    return linhas;
}

} // namespace gdvorn::test
