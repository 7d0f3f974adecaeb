// The cross checks: E21 compares an establishment with the other prefixes of its inscription (a query per
// establishment); V3 finds links declared more than once and V87 a PIS/PASEP declared with other person
// data. Both link checks compare only the links that share a PIS/PASEP with another: once per run, the
// PIS values are read through the links' primary index and those links' rows by their rowid, grouped in
// memory as the engine groups, so that each link costs one look-up of its PIS. Table names come only from
// the two sets of the run (work or permanent tables); every value is a bound parameter.

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Statement.h"
#include "rules/ugConsistencia.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>


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

// A field of the current row as the engine groups it: NULL apart from any text, each text by its bytes.
void acrescentaCampo(std::string &chave, sqlite3_stmt *linha, int coluna)
{
    const auto *texto = reinterpret_cast<const char *>(sqlite3_column_text(linha, coluna));
    const int n = sqlite3_column_bytes(linha, coluna);
    chave.push_back(texto ? '\1' : '\0');
    chave.append(reinterpret_cast<const char *>(&n), sizeof n);
    chave.append(texto ? texto : "", size_t(n));
}

QString textoDaColuna(sqlite3_stmt *linha, int coluna)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(linha, coluna)),
                             sqlite3_column_bytes(linha, coluna));
}

// The bit of FiltroPis of a PIS/PASEP (FNV-1a over its characters).
size_t bitDoPis(QStringView pis)
{
    quint32 h = 2166136261u;
    for (const QChar c : pis)
        h = (h ^ c.unicode()) * 16777619u;
    return size_t(h >> 14); // 2^18 bits
}

// The rows (rowid) of the links whose PIS/PASEP may occur in more than one link, in the table's stored
// order. Each link's PIS is read through the table's primary index, which holds it, and known by a 64-bit
// hash of its bytes (FNV-1a); a NULL one counts for none, as in count(). A hash shared by two PIS values
// only adds links that are alone with their PIS, which the grouping of carregaPisRepetidos tells apart.
std::vector<qint64> linhasDePisRepetido(PreparedStatements &consultas, const QString &tabela, const QString &conexao)
{
    Statement chaves(consultas, QStringLiteral("select CoPisPasepEmpregado, rowid from ") + tabela, conexao, tabela);
    std::vector<std::pair<quint64, qint64>> pisDaLinha;
    while (chaves.step()) {
        const auto *texto = static_cast<const unsigned char *>(sqlite3_column_text(chaves.handle(), 0));
        if (!texto)
            continue;
        quint64 h = 14695981039346656037ULL;
        for (int i = 0, n = sqlite3_column_bytes(chaves.handle(), 0); i < n; ++i)
            h = (h ^ texto[i]) * 1099511628211ULL;
        pisDaLinha.emplace_back(h, chaves.columnInt64(1));
    }
    std::sort(pisDaLinha.begin(), pisDaLinha.end());
    std::vector<qint64> linhas;
    for (size_t i = 0; i < pisDaLinha.size();) {
        size_t fim = i + 1;
        while (fim < pisDaLinha.size() && pisDaLinha[fim].first == pisDaLinha[i].first)
            ++fim;
        for (size_t k = i; fim - i > 1 && k < fim; ++k)
            linhas.push_back(pisDaLinha[k].second);
        i = fim;
    }
    std::sort(linhas.begin(), linhas.end());
    return linhas;
}

// The links that share their PIS/PASEP with another, in the table's stored order, each kept for the
// groups of V3 and the person data of V87, grouped as the engine groups: a text by its bytes, NULL apart
// from every text. The values kept are the texts the checks compare (NULL as empty).
void carregaPisRepetidos(AnaliseConsistencia &a)
{
    a.PisRepetidos.clear();
    const QString tabela = tabelaVinculos(a);
    const QString conexao = a.Vinculos.connection();
    PreparedStatements consultas(conexao);
    const std::vector<qint64> linhasRepetidas = linhasDePisRepetido(consultas, tabela, conexao);

    enum { Pis, Inscricao, TipoInscricao, Vinculado, Admissao, Desligamento, Cbo, Nome, Nascimento, Cpf };
    Statement linha(consultas,
                    QStringLiteral("select CoPisPasepEmpregado, CoCgcCeiEstabelecimento, InInscrEstabelecimento, "
                                   "CoCgcVinculado, DaAdmissaoEmpregado, DaDesligamentoEmpregado, CoCbo, NoEmpregado, "
                                   "DaNascimentoEmpregado, CoCpfEmpregado from ") +
                        tabela + QStringLiteral(" where rowid = ?1"),
                    conexao, tabela);
    sqlite3_stmt *l = linha.handle();
    // The PIS values of the links read, how many links each; the first link of each is kept until the
    // second one shows that the PIS occurs more than once.
    QHash<QString, int> vinculosDoPis;
    std::unordered_map<std::string, int> vinculosDoGrupo;
    std::unordered_set<std::string> pessoasLidas;
    std::string chave;
    for (const qint64 rowid : linhasRepetidas) {
        linha.reset();
        linha.bindInt64(1, rowid);
        if (!linha.step())
            continue;
        const QString pis = textoDaColuna(l, Pis);
        AnaliseConsistencia::PisRepetido &repetido = a.PisRepetidos[pis];
        ++vinculosDoPis[pis];

        chave.clear();
        for (int c = Pis; c <= Cbo; ++c)
            acrescentaCampo(chave, l, c);
        if (++vinculosDoGrupo[chave] == 2) {
            QStringList grupo;
            for (int c = Inscricao; c <= Cbo; ++c)
                grupo << textoDaColuna(l, c);
            repetido.VinculosRepetidos << grupo;
        }

        chave.clear();
        for (int c : {Pis, Nome, Nascimento, Cpf})
            acrescentaCampo(chave, l, c);
        if (pessoasLidas.insert(chave).second) {
            repetido.Pessoas << QStringList{textoDaColuna(l, Nome), textoDaColuna(l, Nascimento), textoDaColuna(l, Cpf)};
        }
    }
    // A PIS met once here shares only its hash with another: it is alone.
    for (auto it = vinculosDoPis.cbegin(); it != vinculosDoPis.cend(); ++it)
        if (it.value() < 2)
            a.PisRepetidos.remove(it.key());

    a.FiltroPis.assign((size_t(1) << 18) / 64, 0);
    for (auto it = a.PisRepetidos.cbegin(); it != a.PisRepetidos.cend(); ++it) {
        const size_t bit = bitDoPis(it.key());
        a.FiltroPis[bit / 64] |= quint64(1) << (bit % 64);
    }
    a.PisRepetidosLidos = true;
}

// The link's PIS/PASEP among those of more than one link, or nullptr.
const AnaliseConsistencia::PisRepetido *pisRepetido(AnaliseConsistencia &a)
{
    if (!a.PisRepetidosLidos)
        carregaPisRepetidos(a);
    if (a.PisRepetidos.isEmpty())
        return nullptr;
    const QString &pis = a.CamposVinculo.Gravado("CoPisPasepEmpregado");
    const size_t bit = bitDoPis(pis);
    if (!(a.FiltroPis[bit / 64] & (quint64(1) << (bit % 64))))
        return nullptr;
    const auto it = a.PisRepetidos.constFind(pis);
    return it == a.PisRepetidos.constEnd() ? nullptr : &*it;
}

void vinculoRepetido(AnaliseConsistencia &a)
{
    const AnaliseConsistencia::PisRepetido *repetido = pisRepetido(a);
    if (!repetido || repetido->VinculosRepetidos.isEmpty())
        return;
    CamposDaTabela &v = a.CamposVinculo;
    const QString &admissao = v.Gravado("DaAdmissaoEmpregado");
    const QString &desligamento = v.Gravado("DaDesligamentoEmpregado");
    const QString &cbo = v.Gravado("CoCbo");
    const QStringList proprio{v.Gravado("CoCgcCeiEstabelecimento"), v.Gravado("InInscrEstabelecimento"),
                              v.Gravado("CoCgcVinculado"), admissao, desligamento, cbo};
    if (!repetido->VinculosRepetidos.contains(proprio))
        return;
    a.RegistraErro(RegistroVinculo, QStringLiteral("1671"),
                   inicioVinculo(a) + QList<CampoOcorrencia>{{Rotulo::PisPasep, v.Gravado("CoPisPasepEmpregado")},
                                                             {Rotulo::NomeEmpregado, v.Gravado("NoEmpregado")},
                                                             {Rotulo::DataAdmissao, admissao},
                                                             {Rotulo::DataDesligamento, desligamento},
                                                             {Rotulo::Cbo, cbo}});
}

void mesmoPisOutraPessoa(AnaliseConsistencia &a)
{
    const AnaliseConsistencia::PisRepetido *repetido = pisRepetido(a);
    if (!repetido)
        return;
    CamposDaTabela &v = a.CamposVinculo;
    const QStringList propria{v.Gravado("NoEmpregado"), v.Gravado("DaNascimentoEmpregado"),
                              v.Gravado("CoCpfEmpregado")};
    for (const QStringList &outra : repetido->Pessoas) {
        if (outra == propria)
            continue;
        a.RegistraErro(RegistroVinculo, QStringLiteral("3761"),
                       inicioVinculo(a) + QList<CampoOcorrencia>{{Rotulo::PisPasep, v.Gravado("CoPisPasepEmpregado")},
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
