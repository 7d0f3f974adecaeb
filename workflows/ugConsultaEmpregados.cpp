#include "workflows/ugConsultaEmpregados.h"

#include "app/base/Query.h"
#include "app/base/Schema.h"

#include <algorithm>

namespace gdvorn {

namespace {

const QString kVinculo = QStringLiteral("bd8vinc");
constexpr int kEstabelecimento = 3; // AnBase, inscription and prefix lead the link's key
constexpr int kPaginasGuardadas = 16;
const QString kDoEstabelecimento = QStringLiteral(
    "where AnBase = :AnBase and CoCgcCeiEstabelecimento = :Inscricao and NuPrefixoEstabelecimento = :Prefixo");

} // namespace

TModeloEmpregados::TModeloEmpregados(QObject *pai, int linhasPorPagina)
    : QAbstractTableModel(pai), m_porPagina(std::max(1, linhasPorPagina))
{
}

void TModeloEmpregados::Monta(const QString &tabelaVinculo, const QString &anoBase, const QString &inscricao,
                              const QString &prefixo, const QString &ordem)
{
    beginResetModel();
    m_tabela = tabelaVinculo;
    m_ano = anoBase;
    m_inscricao = inscricao;
    m_prefixo = prefixo;
    m_campos = Schema::require(kVinculo).primaryIndex()->fields;
    m_campos << QStringLiteral("DaNascimentoEmpregado");
    const auto posicao = [this](const char *campo) { return int(m_campos.indexOf(QLatin1String(campo))); };
    m_colunas = {posicao("CoPisPasepEmpregado"), posicao("DaAdmissaoEmpregado"), posicao("NoEmpregado"),
                 posicao("DaNascimentoEmpregado")};
    m_ordem.clear();
    if (ordem == QLatin1String("2"))
        m_ordem << posicao("NoEmpregado");
    for (int i = kEstabelecimento; i < m_campos.size() - 1; ++i)
        if (!m_ordem.contains(i))
            m_ordem << i;
    m_paginas.clear();
    m_lidas = 0;

    Query q;
    q.setSql(QStringList{QStringLiteral("select count(*) from ") + m_tabela, kDoEstabelecimento});
    filtra(q);
    q.Open();
    m_total = q.Fields(0).AsInteger();
    q.Close();
    endResetModel();
}

// The establishment's parameters of kDoEstabelecimento, as stored.
void TModeloEmpregados::filtra(Query &q) const
{
    q.ParamByName(QStringLiteral("AnBase")).setAsStored(kVinculo, QStringLiteral("AnBase"), m_ano);
    q.ParamByName(QStringLiteral("Inscricao")).setAsStored(kVinculo, QStringLiteral("CoCgcCeiEstabelecimento"), m_inscricao);
    q.ParamByName(QStringLiteral("Prefixo")).setAsStored(kVinculo, QStringLiteral("NuPrefixoEstabelecimento"), m_prefixo);
}

int TModeloEmpregados::rowCount(const QModelIndex &pai) const { return pai.isValid() ? 0 : m_total; }

int TModeloEmpregados::columnCount(const QModelIndex &pai) const { return pai.isValid() ? 0 : 4; }

QVariant TModeloEmpregados::data(const QModelIndex &indice, int papel) const
{
    if (papel != Qt::DisplayRole || !indice.isValid() || indice.column() >= m_colunas.size())
        return {};
    const Linha *l = linha(indice.row());
    return l ? l->at(m_colunas.at(indice.column())) : QVariant();
}

QVariant TModeloEmpregados::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    static const char *const titulos[] = {"PIS/PASEP", "Data Admissão", "Nome Empregado/Servidor", "Data Nascimento"};
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole || secao < 0 || secao >= 4)
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    return QString::fromUtf8(titulos[secao]);
}

QStringList TModeloEmpregados::Chave(int linha) const
{
    const Linha *l = this->linha(linha);
    return l ? l->mid(0, m_campos.size() - 1) : QStringList();
}

const TModeloEmpregados::Linha *TModeloEmpregados::linha(int n) const
{
    if (n < 0 || n >= m_total)
        return nullptr;
    const int pagina = n / m_porPagina;
    auto it = m_paginas.constFind(pagina);
    if (it == m_paginas.constEnd()) {
        QList<Linha> linhas = lePagina(pagina);
        if (m_paginas.size() >= kPaginasGuardadas)
            m_paginas.clear();
        it = m_paginas.insert(pagina, std::move(linhas));
    }
    const int i = n % m_porPagina;
    return i < it->size() ? &it->at(i) : nullptr; // rows gone since the count
}

QList<TModeloEmpregados::Linha> TModeloEmpregados::lePagina(int pagina) const
{
    ++m_lidas;
    const int inicio = pagina * m_porPagina;
    const int quantas = std::min(m_porPagina, m_total - inicio);
    if (auto antes = m_paginas.constFind(pagina - 1); antes != m_paginas.constEnd() && !antes->isEmpty())
        return le(&antes->constLast(), true, quantas, 0);
    if (auto depois = m_paginas.constFind(pagina + 1); depois != m_paginas.constEnd() && !depois->isEmpty())
        return le(&depois->constFirst(), false, quantas, 0);
    // Far from what was read: by position, from the nearer end.
    if (inicio <= m_total - inicio - quantas)
        return le(nullptr, true, quantas, inicio);
    return le(nullptr, false, quantas, m_total - inicio - quantas);
}

// `quantas` rows after (adiante) or before `limite` in the order, skipping `deslocamento` first; in the
// order's direction either way.
QList<TModeloEmpregados::Linha> TModeloEmpregados::le(const Linha *limite, bool adiante, int quantas,
                                                       int deslocamento) const
{
    QStringList nomes, ordem, marcas;
    for (int i = 0; i < m_ordem.size(); ++i) {
        nomes << m_campos.at(m_ordem.at(i));
        ordem << nomes.constLast() + (adiante ? QString() : QStringLiteral(" desc"));
        marcas << QStringLiteral(":k%1").arg(i);
    }
    Query q;
    q.setSql(QStringList{
        QStringLiteral("select ") + m_campos.join(QStringLiteral(", ")) + QStringLiteral(" from ") + m_tabela,
        kDoEstabelecimento,
        limite ? QStringLiteral("and (") + nomes.join(QStringLiteral(", ")) + (adiante ? QStringLiteral(") > (") : QStringLiteral(") < (")) +
                     marcas.join(QStringLiteral(", ")) + QLatin1Char(')')
               : QString(),
        QStringLiteral("order by ") + ordem.join(QStringLiteral(", ")), QStringLiteral("limit :Limite offset :Desloca")});
    filtra(q);
    if (limite)
        for (int i = 0; i < m_ordem.size(); ++i)
            q.ParamByName(QStringLiteral("k%1").arg(i)).setAsString(limite->at(m_ordem.at(i)));
    q.ParamByName(QStringLiteral("Limite")).setAsInteger(quantas);
    q.ParamByName(QStringLiteral("Desloca")).setAsInteger(deslocamento);
    q.Open();
    QList<Linha> linhas;
    linhas.reserve(quantas);
    for (; !q.Eof(); q.Next()) {
        Linha l;
        l.reserve(m_campos.size());
        for (int i = 0; i < m_campos.size(); ++i)
            l << q.Fields(i).AsString();
        linhas << std::move(l);
    }
    q.Close();
    if (!adiante)
        std::reverse(linhas.begin(), linhas.end());
    return linhas;
}

} // namespace gdvorn
