#include "entry/ugDadosEmpreg.h"

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "app/ugFuncoes.h"

namespace gdvorn {

namespace {

qint64 centavos(const QString &texto)
{
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return 0;
    for (QChar c : t)
        if (!c.isDigit())
            return 0;
    return t.toLongLong();
}

int conta(const QString &condicao, const ChaveEstabelecimento &chave, const QString &conexao)
{
    Query q(conexao);
    q.setSql(QStringList{QStringLiteral("select count(*)"), QStringLiteral("from BD8Vinc"),
                         QStringLiteral("where AnBase = :sAnoBase and CoCgcCeiEstabelecimento = :sInscricao and"),
                         QStringLiteral("      NuPrefixoEstabelecimento = :sPrefixo") + condicao});
    q.ParamByName(QStringLiteral("sAnoBase")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("AnBase"), chave.AnBase);
    q.ParamByName(QStringLiteral("sInscricao")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCgcCeiEstabelecimento"), chave.Inscricao);
    q.ParamByName(QStringLiteral("sPrefixo")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("NuPrefixoEstabelecimento"), chave.Prefixo);
    q.Open();
    const int n = q.Fields(0).AsInteger();
    q.Close();
    return n;
}

ContagemVinculos contaEm(const ChaveEstabelecimento &chave, const QString &conexao)
{
    return {conta(QString(), chave, conexao),
            conta(QStringLiteral(" and CoNacionalidade <> '10' and CoNacionalidade <> ''"), chave, conexao)};
}

} // namespace

ContagemVinculos ContaVinculosEstab(const ChaveEstabelecimento &chave) { return contaEm(chave, kAlias); }

void GravaContagemEstab(Table &empresa, const ContagemVinculos &contagem)
{
    empresa.Edit();
    empresa.FieldByName(QStringLiteral("NuVinculosEstabelecimento"))
        .setAsString(CompletaZeros(QString::number(contagem.vinculos), 6));
    empresa.FieldByName(QStringLiteral("NuEstrangeirosEstabelec"))
        .setAsString(CompletaZeros(QString::number(contagem.estrangeiros), 5));
    empresa.Post();
}

ContagemVinculos RecontaVinculosEstab(const ChaveEstabelecimento &chave)
{
    Transaction transacao;
    const ContagemVinculos contagem = ContaVinculosEstab(chave);
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    if (empresa.FindKey({chave.AnBase, chave.Inscricao, chave.Prefixo}))
        GravaContagemEstab(empresa, contagem);
    empresa.Close();
    transacao.commit();
    return contagem;
}

ContagemVinculos GravaVinculoEContagem(Table &vinculo, Table &empresa, const ChaveEstabelecimento &chave)
{
    Transaction transacao(vinculo.connection());
    vinculo.Post();
    const ContagemVinculos contagem = contaEm(chave, vinculo.connection());
    GravaContagemEstab(empresa, contagem);
    transacao.commit();
    return contagem;
}

ContagemVinculos ExcluiVinculoEContagem(Table &vinculo, Table &empresa, const ChaveEstabelecimento &chave)
{
    Transaction transacao(vinculo.connection());
    if (vinculo.State() == DataSetState::Insert)
        vinculo.Cancel();
    else {
        if (vinculo.State() == DataSetState::Edit)
            vinculo.Cancel();
        vinculo.Delete();
    }
    const ContagemVinculos contagem = contaEm(chave, vinculo.connection());
    GravaContagemEstab(empresa, contagem);
    transacao.commit();
    return contagem;
}

bool ConfereDecimoTerceiro(const QStringList &meses, const QString &adiantamento, const QString &parcelaFinal)
{
    qint64 soma = 0;
    qint64 pagos = 0;
    for (const QString &m : meses) {
        const qint64 v = centavos(m);
        if (v != 0) {
            soma += v;
            ++pagos;
        }
    }
    if (pagos == 0)
        return true;
    // advance + final <= 1.5 × sum / count, in whole cents without rounding: 2 × (a + f) × n <= 3 × sum.
    const qint64 decimo = centavos(adiantamento) + centavos(parcelaFinal);
    return 2 * decimo * pagos <= 3 * soma;
}

} // namespace gdvorn
