#include "app/ugListas.h"

#include "app/base/EngineError.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugFuncoes.h"
#include "app/ugMensagens.h"

namespace gdvorn {

namespace {

const QString kDoisBrancos = QStringLiteral("  ");

// Closes the shared query when a filler ends, however it ends: a statement left open would keep every
// later drop of a work table on the connection from running.
struct FechaAoSair {
    Query &q;
    ~FechaAoSair() { q.Close(); }
};

// The shared query with `sql` and the year in parameter `parametro`, ready to open.
Query &preparaConsulta(const QStringList &sql, const QString &parametro, const QString &ano)
{
    if (!dmGDVorn)
        throw DatabaseError(QStringLiteral("The code-table module is not open."));
    Query &q = dmGDVorn->quBd8Emp;
    q.Close();
    q.setSql(sql);
    q.ParamByName(parametro).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), ano);
    return q;
}

QStringList linhasEstabelecimentos(Query &q, const QString &ano, QList<ChaveEstabelecimento> *chaves = nullptr)
{
    FechaAoSair fecha{q};
    q.Open();
    QStringList linhas;
    if (chaves)
        chaves->clear();
    for (; !q.Eof(); q.Next()) {
        if (chaves)
            *chaves << ChaveEstabelecimento{ano, q.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString(),
                                            q.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString()};
        linhas << LinhaEstabelecimento(q.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString(),
                                       q.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString(),
                                       q.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString(),
                                       q.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString());
    }
    return linhas;
}

} // namespace

QString LinhaEstabelecimento(const QString &inscricao, const QString &tipo, const QString &prefixo,
                             const QString &razao)
{
    return CompletaBrancos(FormataInscricao(inscricao.trimmed(), tipo.trimmed()), 18) + kDoisBrancos +
           CompletaBrancos(prefixo.trimmed(), 2) + kDoisBrancos + razao.trimmed();
}

QString LinhaVinculo(const QString &pis, const QString &admissao, const QString &nome, const QString &ordem)
{
    const QString pisFormatado = CompletaBrancos(FormataPisPasep(pis.trimmed()), 14);
    const QString data = CompletaBrancos(FormataData(admissao.trimmed()), 10);
    if (ordem == QLatin1String("0"))
        return pisFormatado + kDoisBrancos + data + kDoisBrancos + nome.trimmed();
    return CompletaBrancos(nome.trimmed(), 52) + kDoisBrancos + pisFormatado + kDoisBrancos + data;
}

QString InscricaoDaLinha(const QString &linha)
{
    const QString inscricao = TiraMascara(linha.left(18)).trimmed();
    return inscricao.size() < 14 ? QStringLiteral("00") + inscricao : inscricao;
}

QString PrefixoDaLinha(const QString &linha) { return linha.mid(20, 2).trimmed(); }

ChaveEstabelecimento ChaveDaLinha(const QString &ano, const QString &linha)
{
    return {ano.trimmed(), InscricaoDaLinha(linha), PrefixoDaLinha(linha)};
}

QStringList LinhasEstabelecimentosCombo(const QString &ano, const QString &opcao, QList<ChaveEstabelecimento> *chaves)
{
    QStringList sql{QStringLiteral("Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento,"),
                    QStringLiteral("NoRazaoEstabelecimento, InInscrEstabelecimento"), QStringLiteral("from BD8Emp"),
                    QStringLiteral("where anBase= :anBase")};
    if (opcao == QLatin1String("N"))
        sql << QStringLiteral(" and InVornNegEstabelecimento = '0'");
    return linhasEstabelecimentos(preparaConsulta(sql, QStringLiteral("anBase"), ano), ano.trimmed(), chaves);
}

QStringList LinhasEstabelecimentosLista(const QString &ano, const QString &opcao, const QString &ordem)
{
    QStringList sql{QStringLiteral("Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                                   "NoRazaoEstabelecimento, inInscrEstabelecimento"),
                    QStringLiteral("from BD8Emp"), QStringLiteral("where anbase = :anobase")};
    if (opcao == QLatin1String("N"))
        sql << QStringLiteral(" and inVornNegEstabelecimento = '0' ");
    sql << (ordem == QLatin1String("0") ? QStringLiteral(" order by CoCgcCeiEstabelecimento,NuPrefixoEstabelecimento")
                                        : QStringLiteral(" order by NoRazaoEstabelecimento"));
    return linhasEstabelecimentos(preparaConsulta(sql, QStringLiteral("anobase"), ano), ano.trimmed());
}

QStringList LinhasEmpregados(const QString &ano, const QString &inscricao, const QString &ordem,
                             const QString &prefixo)
{
    const QStringList sql{QStringLiteral("Select CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado"),
                          QStringLiteral("from BD8Vinc"), QStringLiteral("where AnBase = :anobase"),
                          QStringLiteral("and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento"),
                          QStringLiteral("and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento"),
                          ordem == QLatin1String("0") ? QStringLiteral("order by CoPisPasepEmpregado")
                                                      : QStringLiteral("order by NoEmpregado")};
    Query &q = preparaConsulta(sql, QStringLiteral("anobase"), ano);
    FechaAoSair fecha{q};
    // The key values as stored, so that a value typed past its field's width finds what was stored.
    q.ParamByName(QStringLiteral("CoCgcCeiEstabelecimento"))
        .setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCgcCeiEstabelecimento"), inscricao);
    q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento"))
        .setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("NuPrefixoEstabelecimento"), prefixo);
    q.Open();
    QStringList linhas;
    for (; !q.Eof(); q.Next())
        linhas << LinhaVinculo(q.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString(),
                               q.FieldByName(QStringLiteral("DaAdmissaoEmpregado")).AsString(),
                               q.FieldByName(QStringLiteral("NoEmpregado")).AsString(), ordem);
    return linhas;
}

QString AvisoOperacaoAberta(const QString &marca)
{
    if (marca == QLatin1String("0"))
        return QStringLiteral("0500");
    if (marca == QLatin1String("1"))
        return QStringLiteral("0501");
    if (marca == QLatin1String("3"))
        return QStringLiteral("0502");
    if (marca == QLatin1String("4"))
        return QStringLiteral("0503");
    if (marca == QLatin1String("5"))
        return QStringLiteral("0504");
    return QString();
}

void AvisaOperacaoAberta(const QString &ano, const QString &inscricao, const QString &prefixo)
{
    if (!dmEntradaDados)
        throw DatabaseError(QStringLiteral("The entry data module is not open."));
    Table &empresa = dmEntradaDados->ta8Empresa;
    if (!empresa.Active())
        empresa.Open();
    if (!empresa.FindKey({ano, inscricao, prefixo}))
        return;
    const QString marca = empresa.FieldByName(QStringLiteral("InOpcaoAberta")).AsString().trimmed();
    if (marca.isEmpty())
        return;
    const QString aviso = AvisoOperacaoAberta(marca);
    if (!aviso.isEmpty())
        MostraMensagemEstab(aviso, empresa.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString(),
                            empresa.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString(),
                            empresa.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString(),
                            empresa.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString());
    empresa.Edit();
    empresa.FieldByName(QStringLiteral("InOpcaoAberta")).setAsString(QString());
    empresa.Post();
}

} // namespace gdvorn
