#include "entry/ugDadosEstab.h"

#include "app/base/Database.h"
#include "app/base/Statement.h"
#include "app/udmEntradaDados.h"
#include "app/ugFuncoes.h"

namespace gdvorn {

namespace {

// Binds the establishment's key to parameters `primeiro` to `primeiro` + 2, as the link table stores it.
void chaveNos(Statement &s, int primeiro, const ChaveEstabelecimento &chave)
{
    const QString tabela = QStringLiteral("bd8vinc");
    s.bindStored(primeiro, tabela, QStringLiteral("AnBase"), chave.AnBase);
    s.bindStored(primeiro + 1, tabela, QStringLiteral("CoCgcCeiEstabelecimento"), chave.Inscricao);
    s.bindStored(primeiro + 2, tabela, QStringLiteral("NuPrefixoEstabelecimento"), chave.Prefixo);
}

} // namespace

int ExcluiVinculosEstab(const ChaveEstabelecimento &chave)
{
    return execWrite(QStringLiteral("delete from BD8Vinc where AnBase = ?1 and CoCgcCeiEstabelecimento = ?2 and "
                                    "NuPrefixoEstabelecimento = ?3"),
                     [&](Statement &s) { chaveNos(s, 1, chave); });
}

int AtualizaVinculosEstab(const ChaveEstabelecimento &chave, const QString &tipoAntigo, const QString &tipoNovo,
                          const QString &ceiNovo)
{
    return execWrite(QStringLiteral("update BD8Vinc set CoCgcVinculado = ?4, InInscrEstabelecimento = ?5 where AnBase = ?1 and "
                                    "CoCgcCeiEstabelecimento = ?2 and NuPrefixoEstabelecimento = ?3 and InInscrEstabelecimento = ?6"),
                     [&](Statement &s) {
                         const QString tabela = QStringLiteral("bd8vinc");
                         chaveNos(s, 1, chave);
                         s.bindStored(4, tabela, QStringLiteral("CoCgcVinculado"), ceiNovo);
                         s.bindStored(5, tabela, QStringLiteral("InInscrEstabelecimento"), tipoNovo);
                         s.bindStored(6, tabela, QStringLiteral("InInscrEstabelecimento"), tipoAntigo);
                     });
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
