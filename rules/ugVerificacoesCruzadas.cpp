// The cross checks by query: E21 compares an establishment with the other prefixes of its inscription;
// V3 finds links declared more than once and V87 a PIS/PASEP declared with other person data. The link
// queries run once per run and their results are kept in memory for the run, so that each link costs one
// look-up. Table names come only from the two sets of the run (work or permanent tables); every value is
// a bound parameter.

#include "app/base/Query.h"
#include "rules/ugConsistencia.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

namespace gdvorn {

namespace {

QString tabelaEstabelecimentos(const AnaliseConsistencia &a)
{
    return a.TabelasTrabalho ? QStringLiteral("te8emp") : QStringLiteral("bd8emp");
}

QString tabelaVinculos(const AnaliseConsistencia &a)
{
    return a.TabelasTrabalho ? QStringLiteral("te8vinc") : QStringLiteral("bd8vinc");
}

QString valor(Query &q, const char *nome) { return q.FieldByName(QLatin1String(nome)).AsString(); }

// The seven fields by which V3 groups the links.
QString chaveDuplicidade(const QString &inscricao, const QString &tipo, const QString &vinculado, const QString &pis,
                         const QString &admissao, const QString &desligamento, const QString &cbo)
{
    return QStringList{inscricao, tipo, vinculado, pis, admissao, desligamento, cbo}.join(QLatin1Char('\x1f'));
}

// ---- E21 ----------------------------------------------------------------------------------------------

struct OutroPrefixo {
    QString prefixo, nome, natureza, cnae;
};

// One comparison of E21: every row whose value differs from the establishment's joins one finding.
void comparaPrefixos(AnaliseConsistencia &a, const QList<OutroPrefixo> &linhas, QString OutroPrefixo::*campo,
                     const QString &proprio, const QString &codigo, const QString &rotulo, bool contaCadaLinha)
{
    QList<CampoOcorrencia> campos;
    int diferentes = 0;
    for (const OutroPrefixo &l : linhas) {
        if (l.*campo == proprio)
            continue;
        if (campos.isEmpty())
            campos << CampoOcorrencia{Rotulo::Prefixo, a.CamposEstabelecimento.Gravado("NuPrefixoEstabelecimento")}
                   << CampoOcorrencia{rotulo, proprio};
        campos << CampoOcorrencia{Rotulo::Prefixo, l.prefixo} << CampoOcorrencia{rotulo, l.*campo};
        ++diferentes;
    }
    if (campos.isEmpty())
        return;
    a.Ocorrencias.RegistraOcorrencia(OcorrenciaErro, RegistroEstabelecimento, codigo, campos);
    for (int i = 0; i < (contaCadaLinha ? diferentes : 1); ++i)
        a.ContaOcorrencia();
}

void outrosPrefixos(AnaliseConsistencia &a)
{
    Table &e = a.Estabelecimentos;
    Query q(e.connection());
    q.setSql(QStringList{QStringLiteral("Select NuPrefixoEstabelecimento, NoRazaoEstabelecimento,CoNaturezaJuridica,CoCnae2"),
                         QStringLiteral("from ") + tabelaEstabelecimentos(a),
                         QStringLiteral("where AnBase = :anbase and"),
                         QStringLiteral("      CoCGCCeiEstabelecimento = :inscricao and"),
                         QStringLiteral("      InInscrEstabelecimento = :tipoinscricao and"),
                         QStringLiteral("      CoCgcVinculado = :CgcVinc")});
    q.ParamByName(QStringLiteral("anbase")).setAsStored(tabelaEstabelecimentos(a), QStringLiteral("AnBase"), CampoGravado(e, "AnBase"));
    q.ParamByName(QStringLiteral("inscricao")).setAsStored(tabelaEstabelecimentos(a), QStringLiteral("CoCgcCeiEstabelecimento"), CampoGravado(e, "CoCgcCeiEstabelecimento"));
    q.ParamByName(QStringLiteral("tipoinscricao")).setAsStored(tabelaEstabelecimentos(a), QStringLiteral("InInscrEstabelecimento"), CampoGravado(e, "InInscrEstabelecimento"));
    q.ParamByName(QStringLiteral("CgcVinc")).setAsStored(tabelaEstabelecimentos(a), QStringLiteral("CoCgcVinculado"), CampoGravado(e, "CoCgcVinculado"));
    QList<OutroPrefixo> linhas;
    for (q.Open(); !q.Eof(); q.Next())
        linhas << OutroPrefixo{valor(q, "NuPrefixoEstabelecimento"), valor(q, "NoRazaoEstabelecimento"),
                               valor(q, "CoNaturezaJuridica"), valor(q, "CoCnae2")};
    q.Close();
    if (linhas.size() < 2)
        return;
    comparaPrefixos(a, linhas, &OutroPrefixo::nome, CampoGravado(e, "NoRazaoEstabelecimento"), QStringLiteral("3762"),
                    Rotulo::Nome, false);
    comparaPrefixos(a, linhas, &OutroPrefixo::natureza, CampoGravado(e, "CoNaturezaJuridica"),
                    QStringLiteral("3764"), Rotulo::NaturezaJuridica, false);
    comparaPrefixos(a, linhas, &OutroPrefixo::cnae, CampoGravado(e, "CoCnae2"), QStringLiteral("3763"), Rotulo::Cnae,
                    true);
}

// ---- V3 and V87 ---------------------------------------------------------------------------------------

// The first rows of a link finding: its record sequence in the loaded file, with the work tables only.
QList<CampoOcorrencia> inicioVinculo(AnaliseConsistencia &a)
{
    if (!a.TabelasTrabalho)
        return {};
    return {{Rotulo::SequencialRegistro, a.CamposVinculo.Gravado("NuSequencialRegistro")}};
}

void carregaRepetidos(AnaliseConsistencia &a)
{
    Query q(a.Vinculos.connection());
    q.setSql(QStringList{
        QStringLiteral("select CoCgcCeiEstabelecimento, InInscrEstabelecimento, CoCgcVinculado, CoPisPasepEmpregado, "
                       "DaAdmissaoEmpregado, DaDesligamentoEmpregado, "),
        QStringLiteral(" CoCbo,"), QStringLiteral(" count(CoPisPasepEmpregado) as numOcur"),
        QStringLiteral(" from ") + tabelaVinculos(a),
        QStringLiteral(" group by CoCgcCeiEstabelecimento, InInscrEstabelecimento, CoCgcVinculado, CoPisPasepEmpregado,"),
        QStringLiteral(" DaAdmissaoEmpregado, DaDesligamentoEmpregado, CoCbo"),
        QStringLiteral("HAVING ( COUNT(CoPisPasepEmpregado) > 1 )")});
    a.VinculosRepetidos.clear();
    for (q.Open(); !q.Eof(); q.Next()) {
        if (q.FieldByName(QStringLiteral("numOcur")).AsInteger() > 1)
            a.VinculosRepetidos.insert(chaveDuplicidade(
                valor(q, "CoCgcCeiEstabelecimento"), valor(q, "InInscrEstabelecimento"), valor(q, "CoCgcVinculado"),
                valor(q, "CoPisPasepEmpregado"), valor(q, "DaAdmissaoEmpregado"), valor(q, "DaDesligamentoEmpregado"),
                valor(q, "CoCbo")));
    }
    q.Close();
}

void vinculoRepetido(AnaliseConsistencia &a)
{
    if (a.PrimeiraConsultaDuplicidade) {
        carregaRepetidos(a);
        a.PrimeiraConsultaDuplicidade = false;
    }
    if (a.VinculosRepetidos.isEmpty())
        return;
    CamposDaTabela &v = a.CamposVinculo;
    const QString &pis = v.Gravado("CoPisPasepEmpregado");
    const QString &admissao = v.Gravado("DaAdmissaoEmpregado");
    const QString &desligamento = v.Gravado("DaDesligamentoEmpregado");
    const QString &cbo = v.Gravado("CoCbo");
    if (!a.VinculosRepetidos.contains(chaveDuplicidade(v.Gravado("CoCgcCeiEstabelecimento"),
                                                       v.Gravado("InInscrEstabelecimento"),
                                                       v.Gravado("CoCgcVinculado"), pis, admissao, desligamento,
                                                       cbo)))
        return;
    a.RegistraErro(RegistroVinculo, QStringLiteral("1671"),
                   inicioVinculo(a) + QList<CampoOcorrencia>{{Rotulo::PisPasep, pis},
                                                             {Rotulo::NomeEmpregado, v.Gravado("NoEmpregado")},
                                                             {Rotulo::DataAdmissao, admissao},
                                                             {Rotulo::DataDesligamento, desligamento},
                                                             {Rotulo::Cbo, cbo}});
}

void carregaPessoasDoPis(AnaliseConsistencia &a)
{
    const QString tabela = tabelaVinculos(a);
    Query q(a.Vinculos.connection());
    q.setSql(QStringList{
        QStringLiteral("select distinct CoPisPasepEmpregado, NoEmpregado, DaNascimentoEmpregado, CoCpfEmpregado"),
        QStringLiteral(" from ") + tabela,
        QStringLiteral(" where CoPisPasepEmpregado in (Select CoPisPasepEmpregado from ") + tabela +
            QStringLiteral(" group by CoPisPasepEmpregado"),
        QStringLiteral(" HAVING ( COUNT(CoPisPasepEmpregado) > 1 ))")});
    a.PessoasDoPis.clear();
    for (q.Open(); !q.Eof(); q.Next())
        a.PessoasDoPis[valor(q, "CoPisPasepEmpregado")].append(
            QStringList{valor(q, "NoEmpregado"), valor(q, "DaNascimentoEmpregado"), valor(q, "CoCpfEmpregado")});
    q.Close();
}

void mesmoPisOutraPessoa(AnaliseConsistencia &a)
{
    if (a.PrimeiraConsultaMesmoPis) {
        carregaPessoasDoPis(a);
        a.PrimeiraConsultaMesmoPis = false;
    }
    CamposDaTabela &v = a.CamposVinculo;
    const QString &pis = v.Gravado("CoPisPasepEmpregado");
    const auto pessoas = a.PessoasDoPis.constFind(pis);
    if (pessoas == a.PessoasDoPis.constEnd())
        return;
    const QStringList propria{v.Gravado("NoEmpregado"), v.Gravado("DaNascimentoEmpregado"),
                              v.Gravado("CoCpfEmpregado")};
    for (const QStringList &outra : *pessoas) {
        if (outra == propria)
            continue;
        a.RegistraErro(RegistroVinculo, QStringLiteral("3761"),
                       inicioVinculo(a) + QList<CampoOcorrencia>{{Rotulo::PisPasep, pis},
                                                                 {Rotulo::NomeEmpregado, propria[0]},
                                                                 {Rotulo::CpfEmpregado, propria[2]},
                                                                 {Rotulo::DataNascimento, propria[1]}});
    }
}

} // namespace

void VerificacoesCruzadas(SequenciasConsistencia &s)
{
    s.Estabelecimento.insert(21, outrosPrefixos);
    s.Vinculo.insert(3, vinculoRepetido);
    s.Vinculo.insert(87, mesmoPisOutraPessoa);
}

} // namespace gdvorn
