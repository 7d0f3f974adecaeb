#include "entry/ugDadosEstab.h"

#include "app/base/Database.h"
#include "app/udmEntradaDados.h"
#include "app/ugFuncoes.h"

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

ContagemVinculos GravaEstabelecimento(const ChaveEstabelecimento &chave, const AberturaEstab &dados,
                                      bool excluiVinculos)
{
    Table &t = dmEntradaDados->ta8Empresa;
    Transaction transacao;
    if (excluiVinculos)
        ExcluiVinculosEstab(chave);
    const ContagemVinculos contagem = ContaVinculosEstab(chave);
    auto grava = [&t](const char *nome, const QString &valor) { t.FieldByName(QLatin1String(nome)).setAsString(valor); };
    grava("NuVinculosEstabelecimento", CompletaZeros(QString::number(contagem.vinculos), 6));
    grava("NuEstrangeirosEstabelec", CompletaZeros(QString::number(contagem.estrangeiros), 5));
    grava("InOpcaoAberta", QStringLiteral("0"));
    // The links follow a new CEI vinculado or a new inscription type (the employee list finds them by both).
    const QString ceiNovo = t.FieldByName(QStringLiteral("CoCgcVinculado")).AsString().trimmed();
    const QString tipoNovo = t.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString().trimmed();
    if (ceiNovo != dados.ceiVinculado || tipoNovo != dados.tipoInscricao)
        AtualizaVinculosEstab(chave, dados.tipoInscricao, tipoNovo, ceiNovo);
    t.Post();
    transacao.commit();
    return contagem;
}

int AnoDoEncerramento(const QString &data, int anoBase)
{
    return data.mid(4, 4) == QString::number(anoBase + 1) ? anoBase + 1 : anoBase;
}

} // namespace gdvorn
