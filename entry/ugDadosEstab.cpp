#include "entry/ugDadosEstab.h"

#include "app/udmEntradaDados.h"

namespace gdvorn {

namespace {

void chaveNos(Query &q, const ChaveEstabelecimento &chave)
{
    q.ParamByName(QStringLiteral("sAnoBase")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("AnBase"), chave.AnBase);
    q.ParamByName(QStringLiteral("sInscricao")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCgcCeiEstabelecimento"), chave.Inscricao);
    q.ParamByName(QStringLiteral("sPrefixo")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("NuPrefixoEstabelecimento"), chave.Prefixo);
}

} // namespace

int ExcluiVinculosEstab(const ChaveEstabelecimento &chave)
{
    Query &q = dmEntradaDados->quValidaEstab;
    q.Close();
    q.setSql(QStringList{QStringLiteral("delete from BD8Vinc"), QStringLiteral("where AnBase = :sAnoBase and"),
                         QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao and"),
                         QStringLiteral("      NuPrefixoEstabelecimento = :sPrefixo")});
    chaveNos(q, chave);
    q.ExecSQL();
    return q.RowsAffected();
}

int AtualizaVinculosEstab(const ChaveEstabelecimento &chave, const QString &tipoAntigo, const QString &tipoNovo,
                          const QString &ceiNovo)
{
    Query &q = dmEntradaDados->quValidaEstab;
    q.Close();
    q.setSql(QStringList{QStringLiteral("update BD8Vinc set CoCgcVinculado = :sCeivinculadoNovo,"),
                         QStringLiteral("                   InInscrEstabelecimento = :tipoinscricaoNovo"),
                         QStringLiteral("where AnBase = :sAnoBase and"),
                         QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao and"),
                         QStringLiteral("      InInscrEstabelecimento = :tipoinscricao and"),
                         QStringLiteral("      NuPrefixoEstabelecimento = :sPrefixo")});
    q.ParamByName(QStringLiteral("sCeivinculadoNovo")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCgcVinculado"), ceiNovo);
    q.ParamByName(QStringLiteral("tipoinscricaoNovo")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("InInscrEstabelecimento"), tipoNovo);
    q.ParamByName(QStringLiteral("tipoinscricao")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("InInscrEstabelecimento"), tipoAntigo);
    chaveNos(q, chave);
    q.ExecSQL();
    return q.RowsAffected();
}

int AnoDoEncerramento(const QString &data, int anoBase)
{
    return data.mid(4, 4) == QString::number(anoBase + 1) ? anoBase + 1 : anoBase;
}

} // namespace gdvorn
