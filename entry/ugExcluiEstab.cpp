#include "entry/ugExcluiEstab.h"

#include "app/base/Database.h"
#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "app/ugConfiguracao.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "entry/ugOperacoesVinculos.h"
#include "rules/ugRegrasInscricao.h"

namespace gdvorn {

namespace {

const QString kMascaraCnpj = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;_");
const QString kMascaraCei = QStringLiteral("99999\\.99999\\-99;0;_");

QStringList chaveDe(const ChaveEstabelecimento &c) { return {c.AnBase, c.Inscricao, c.Prefixo}; }

QString ceiVinculadoMostrado(const QString &cei)
{
    const QString t = cei.trimmed();
    if (t.isEmpty())
        return QString();
    if (EhNumerico(t))
        return t.toLongLong() == 0 ? QString() : FormataInscricao(t, QStringLiteral("3"));
    return cei;
}

} // namespace

DadosExclusao MostraEstabelecimento(const ChaveEstabelecimento &chave)
{
    DadosExclusao d;
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    QString tipo;
    if (empresa.FindKey(chaveDe(chave))) {
        d.encontrado = true;
        auto campo = [&](const char *nome) { return empresa.FieldByName(QLatin1String(nome)).AsString(); };
        d.CeiVinculado = ceiVinculadoMostrado(campo("CoCgcVinculado"));
        const QString total = campo("NuVinculosEstabelecimento").trimmed();
        d.TotalEmpregados = (total.isEmpty() || (EhNumerico(total) && total.toLongLong() == 0))
                                ? QString()
                                : RetiraZerosEsquerda(total);
        d.RazaoSocial = campo("NoRazaoEstabelecimento");
        d.UsoEmpresa = campo("TxUsoEstabelecimento");
        d.TipoVorn = campo("InVornNegEstabelecimento") == QLatin1String("1")
                         ? QStringLiteral("VORN sem empregados")
                         : QStringLiteral("VORN com empregados");
        tipo = campo("InInscrEstabelecimento").trimmed();
    }
    empresa.Close();

    const int ano = Configuracao().AnoBase;
    d.AnoBase = chave.AnBase == QString::number(ano) ? QStringLiteral("Declaração Ano %1").arg(ano)
                                                      : QStringLiteral("Declaração %1").arg(ano + 1);

    // A number that fits only one kind takes its mask; one that fits both (or neither) follows the
    // stored type.
    const QString classe = CriticaInscricao(chave.Inscricao);
    bool cnpj = classe == QLatin1String("0051");
    bool cei = classe == QLatin1String("0052");
    if (!cnpj && !cei) {
        cnpj = tipo == QLatin1String("1");
        cei = tipo == QLatin1String("3");
    }
    if (cnpj) {
        d.Inscricao = chave.Inscricao;
        d.Mascara = kMascaraCnpj;
        d.TipoInscricao = QStringLiteral("CNPJ");
    } else if (cei) {
        d.Inscricao = chave.Inscricao.mid(2);
        d.Mascara = kMascaraCei;
        d.TipoInscricao = QStringLiteral("CEI");
    } else {
        d.Inscricao = chave.Inscricao;
    }
    return d;
}

bool MarcaExclusao(const ChaveEstabelecimento &chave)
{
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    const bool achou = empresa.FindKey(chaveDe(chave));
    if (achou) {
        empresa.Edit();
        empresa.FieldByName(QStringLiteral("InOpcaoAberta")).setAsString(QStringLiteral("1"));
        empresa.Post();
    }
    empresa.Close();
    return achou;
}

namespace {

// The deletion's one transaction: the row, then its links.
int excluiNaTransacao(const ChaveEstabelecimento &chave, Progresso &progresso)
{
    Transaction transacao;
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    progresso.setRange(0, 1);
    progresso.setPosition(0);
    if (empresa.FindKey(chaveDe(chave)))
        empresa.Delete();
    empresa.Close();

    Query conta;
    conta.setSql(QStringList{
        QStringLiteral("select count(cocgcceiEstabelecimento) as n"), QStringLiteral("from bd8Vinc"),
        QStringLiteral("where bd8vinc.cocgcceiestabelecimento= :cocgcceiestabelecimento and"),
        QStringLiteral("bd8vinc.AnBase= :AnBase and"),
        QStringLiteral("bd8vinc.NuPrefixoEstabelecimento= :NuPrefixoEstabelecimento")});
    conta.ParamByName(QStringLiteral("cocgcceiestabelecimento")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCgcCeiEstabelecimento"), chave.Inscricao);
    conta.ParamByName(QStringLiteral("AnBase")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("AnBase"), chave.AnBase);
    conta.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("NuPrefixoEstabelecimento"), chave.Prefixo);
    conta.Open();
    const int n = conta.FieldByName(QStringLiteral("n")).AsString().toInt();
    conta.Close();

    Table vinculos(QStringLiteral("bd8vinc"));
    vinculos.Open();
    int excluidos = 0;
    if (!vinculos.FindKey(chaveDe(chave))) {
        progresso.setPosition(1);
    } else {
        progresso.setRange(0, n + 1);
        progresso.setPosition(1);
        while (!vinculos.Eof()
               && vinculos.FieldByName(QStringLiteral("AnBase")).AsString() == chave.AnBase
               && vinculos.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString() == chave.Inscricao
               && vinculos.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString() == chave.Prefixo) {
            vinculos.Delete();
            ++excluidos;
            progresso.setPosition(excluidos + 1);
            progresso.processaEventos();
        }
    }
    vinculos.Close();
    transacao.commit();
    return excluidos;
}

} // namespace

int ExcluiEstabelecimento(const ChaveEstabelecimento &chave, Progresso &progresso)
{
    try {
        return excluiNaTransacao(chave, progresso);
    } catch (...) {
        // Rolled back: the marker goes too, so that nothing is left changed.
        DesmarcaAposFalha(chave);
        throw;
    }
}

} // namespace gdvorn
