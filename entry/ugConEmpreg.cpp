#include "entry/ugConEmpreg.h"
#include "entry/ugDadosEmpreg.h"

#include "app/base/Database.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/ugConfiguracao.h"
#include "app/ugFuncoes.h"

namespace gdvorn {

bool LeContextoConsulta(const ChaveEstabelecimento &chave, ContextoConsulta &contexto)
{
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    if (!empresa.FindKey({chave.AnBase, chave.Inscricao, chave.Prefixo}))
        return false;
    auto campo = [&empresa](const char *nome) { return empresa.FieldByName(QLatin1String(nome)).AsString(); };
    contexto.AnoBaseConsulta = campo("AnBase");
    contexto.InscricaoConsulta = campo("CoCgcCeiEstabelecimento");
    contexto.PrefixoConsulta = campo("NuPrefixoEstabelecimento");
    contexto.RazaoSocialConsulta = campo("NoRazaoEstabelecimento");
    contexto.TipoInscricaoConsulta = campo("InInscrEstabelecimento");
    contexto.CeiVinculadoConsulta = campo("CoCgcVinculado");
    contexto.DaEncerramentoAtividade = campo("DaEncerramentoAtividade");
    contexto.NuVinculosEstabelecimento = campo("NuVinculosEstabelecimento");
    contexto.EncerradoAnoSeguinteConsulta =
        campo("InEncerramentoAtividade") == QLatin1String("1") &&
        contexto.DaEncerramentoAtividade.mid(4, 4) == QString::number(Configuracao().AnoBase + 1);
    return true;
}

QString LegendaAnoConsulta(const QString &daEncerramento, int anoBase)
{
    if (daEncerramento.mid(4, 4) == QString::number(anoBase + 1))
        return QStringLiteral("Encerramento de Atividades - %1").arg(anoBase + 1);
    return QStringLiteral("Declaração Ano-Base %1").arg(anoBase);
}

QString InscricaoMostradaConsulta(const ContextoConsulta &contexto)
{
    if (contexto.TipoInscricaoConsulta == QLatin1String("1"))
        return FormataInscricao(contexto.InscricaoConsulta, QStringLiteral("1"));
    return FormataInscricao(contexto.InscricaoConsulta.right(12), QStringLiteral("3"));
}

void MontaQueryVinculos(Query &q, const ContextoConsulta &contexto, const FiltroVinculo &filtro)
{
    q.Close();
    QStringList sql = TdmEntradaDados::textoConVinculo();
    sql << QStringLiteral("where anbase = :anbase and ")
        << QStringLiteral("coCgcCeiEstabelecimento = :coCgcCeiEstabelecimento and ")
        << QStringLiteral("CoCgcVinculado = :ceivinculado and")
        << QStringLiteral("InInscrEstabelecimento = :tipoinscricao and")
        << QStringLiteral("NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento ");
    const QString pis = filtro.pis.trimmed();
    const QString nome = filtro.nome.trimmed();
    if (!pis.isEmpty())
        sql << QStringLiteral("and CoPisPasepEmpregado like :PPisPasep");
    if (!nome.isEmpty())
        sql << QStringLiteral("and NoEmpregado like :PNoEmpregado");
    else if (!filtro.letra1.isEmpty())
        sql << QStringLiteral("and ((NoEmpregado like :PLetra1) or (NoEmpregado like :PLetra2))");
    // The row offset kept between showings counts rows in this order.
    sql << QStringLiteral("order by CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado");
    q.setSql(sql);
    q.ParamByName(QStringLiteral("anbase")).setValue(contexto.AnoBaseConsulta);
    q.ParamByName(QStringLiteral("coCgcCeiEstabelecimento")).setValue(contexto.InscricaoConsulta);
    q.ParamByName(QStringLiteral("ceivinculado")).setValue(contexto.CeiVinculadoConsulta);
    q.ParamByName(QStringLiteral("tipoinscricao")).setValue(contexto.TipoInscricaoConsulta);
    q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).setValue(contexto.PrefixoConsulta);
    if (!pis.isEmpty())
        q.ParamByName(QStringLiteral("PPisPasep")).setValue(pis + QLatin1Char('%'));
    if (!nome.isEmpty())
        q.ParamByName(QStringLiteral("PNoEmpregado")).setValue(nome + QLatin1Char('%'));
    else if (!filtro.letra1.isEmpty()) {
        q.ParamByName(QStringLiteral("PLetra1")).setValue(filtro.letra1 + QLatin1Char('%'));
        q.ParamByName(QStringLiteral("PLetra2"))
            .setValue(filtro.letra2.isEmpty() ? QString() : filtro.letra2 + QLatin1Char('%'));
    }
    q.Open();
}

namespace {

const QString kVinc = QStringLiteral("bd8vinc");

// The stored value matches `texto` + '%' under the engine's LIKE: a prefix, ASCII letters in either case,
// every other character as itself. `texto` holds no wildcard.
bool comecaComoLike(QStringView valor, QStringView texto)
{
    if (valor.size() < texto.size())
        return false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char16_t a = valor[i].unicode(), b = texto[i].unicode();
        if (a != b && (a >= 0x80 || b >= 0x80 || QChar::toLower(a) != QChar::toLower(b)))
            return false;
    }
    return true;
}

bool temCuringa(QStringView texto)
{
    return texto.contains(QLatin1Char('%')) || texto.contains(QLatin1Char('_'));
}

// The establishment of the query: the rows read for one context stand for another only when these agree.
bool mesmoEstabelecimento(const ContextoConsulta &a, const ContextoConsulta &b)
{
    return a.AnoBaseConsulta == b.AnoBaseConsulta && a.InscricaoConsulta == b.InscricaoConsulta &&
           a.PrefixoConsulta == b.PrefixoConsulta && a.CeiVinculadoConsulta == b.CeiVinculadoConsulta &&
           a.TipoInscricaoConsulta == b.TipoInscricaoConsulta;
}

} // namespace

bool ModeloVinculos::estreita(const ContextoConsulta &contexto, const FiltroVinculo &filtro) const
{
    if (!m_lido || !mesmoEstabelecimento(m_lido->contexto, contexto) || m_lido->versao != dataVersion(kAlias, kVinc))
        return false;
    const FiltroVinculo &lido = m_lido->filtro;
    const QString pis = filtro.pis.trimmed(), nome = filtro.nome.trimmed();
    const QString pisLido = lido.pis.trimmed(), nomeLido = lido.nome.trimmed();
    if (filtro.letra1 != lido.letra1 || filtro.letra2 != lido.letra2 || temCuringa(pis) || temCuringa(nome) ||
        !pis.startsWith(pisLido) || !nome.startsWith(nomeLido))
        return false;
    // A name typed over the letters replaces them: the rows read by the letters are not all there is.
    return !(nomeLido.isEmpty() && !nome.isEmpty() && !lido.letra1.isEmpty());
}

void ModeloVinculos::filtra(Query &q, const ContextoConsulta &contexto, const FiltroVinculo &filtro)
{
    if (!estreita(contexto, filtro)) {
        MontaQueryVinculos(q, contexto, filtro);
        carrega(q);
        m_lido = Leitura{contexto, filtro, dataVersion(kAlias, kVinc)};
        return;
    }
    const QString pis = filtro.pis.trimmed(), nome = filtro.nome.trimmed();
    beginResetModel();
    m_linhas.removeIf([&](const VinculoListado &l) {
        return !comecaComoLike(l.pis, pis) || !comecaComoLike(l.nome, nome);
    });
    endResetModel();
    m_lido->filtro = filtro;
}

void ModeloVinculos::carrega(Query &q)
{
    m_lido.reset();
    beginResetModel();
    m_linhas.clear();
    if (!q.Eof()) {
        // The fields are looked up once; each row only reads them.
        auto campo = [&q](const char *nome) { return q.FieldByName(QLatin1String(nome)); };
        const Field pis = campo("coPisPasepEmpregado"), nome = campo("NoEmpregado"),
                    admissao = campo("daAdmissaoEmpregado"), desligamento = campo("DaDesligamentoEmpregado"),
                    cbo = campo("CoCbo");
        for (; !q.Eof(); q.Next())
            m_linhas.append({pis.AsString(), nome.AsString(), admissao.AsString(), desligamento.AsString(),
                             cbo.AsString()});
    }
    q.Close();
    endResetModel();
}

QVariant ModeloVinculos::data(const QModelIndex &indice, int papel) const
{
    if (papel != Qt::DisplayRole || !indice.isValid() || indice.row() >= m_linhas.size())
        return {};
    const VinculoListado &l = m_linhas.at(indice.row());
    switch (indice.column()) {
    case 0:
        return l.pis.isEmpty() ? QString() : FormataPisPasep(l.pis);
    case 1:
        return l.nome;
    case 2:
        return l.admissao.isEmpty() ? QString() : FormataData(l.admissao);
    case 3:
        return quConVinculoCoCboGetText(l.cbo);
    default:
        return {};
    }
}

QVariant ModeloVinculos::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    static const char *const titulos[] = {"PIS/PASEP", "Nome do Empregado/Servidor", "Data Admissão", "CBO"};
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole || secao < 0 || secao >= 4)
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    return QString::fromUtf8(titulos[secao]);
}

namespace {

bool achaVinculoSemPis(Table &vinculos, const ContextoConsulta &contexto)
{
    vinculos.Open();
    return vinculos.FindKey(
        {contexto.AnoBaseConsulta, contexto.InscricaoConsulta, contexto.PrefixoConsulta, QString()});
}

} // namespace

bool ExisteVinculoSemPis(const ContextoConsulta &contexto)
{
    Table vinculos(QStringLiteral("bd8vinc"));
    return achaVinculoSemPis(vinculos, contexto);
}

bool ExcluiVinculoSemPis(const ContextoConsulta &contexto)
{
    Transaction transacao;
    Table vinculos(QStringLiteral("bd8vinc"));
    if (!achaVinculoSemPis(vinculos, contexto))
        return false;
    vinculos.Delete();
    vinculos.Close();
    RecontaVinculosEstab({contexto.AnoBaseConsulta, contexto.InscricaoConsulta, contexto.PrefixoConsulta});
    transacao.commit();
    return true;
}

} // namespace gdvorn
