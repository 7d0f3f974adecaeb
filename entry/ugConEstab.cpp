#include "entry/ugConEstab.h"

#include "app/base/Database.h"
#include "app/base/Statement.h"
#include "app/base/Table.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "rules/ugRegras.h"
#include "rules/ugRegrasInscricao.h"

namespace gdvorn {

namespace {

QStringList camposEstab()
{
    return {QStringLiteral("Select anbase, coCgcCeiEstabelecimento, NuPrefixoEstabelecimento,"),
            QStringLiteral("NoRazaoEstabelecimento, InInscrEstabelecimento, NuVinculosEstabelecimento, CoCgcVinculado ")};
}

} // namespace

void ListaAnoEstab(Query &q, const QString &ano)
{
    q.Close();
    q.setSql(camposEstab() << QStringLiteral("from bd8emp where anbase = :anbase")
                           << QStringLiteral("order by coCgcCeiEstabelecimento, NuPrefixoEstabelecimento"));
    q.ParamByName(QStringLiteral("anbase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), ano);
    q.Open();
}

void MontaQueryEstab(Query &q, const QString &ano, const FiltroEstab &filtro)
{
    q.Close();
    QStringList sql = camposEstab() << QStringLiteral("from bd8emp where anbase = :anbase");
    const QString inscricao = filtro.inscricao.trimmed();
    const QString razao = filtro.razao.trimmed();
    if (!inscricao.isEmpty())
        sql << QStringLiteral("and((CoCgcCeiEstabelecimento like :PCgcCei and InInscrEstabelecimento <> '2')")
            << QStringLiteral("or (CoCgcCeiEstabelecimento like '00' || :PCgcCei and InInscrEstabelecimento in ('2', '3')))");
    if (!razao.isEmpty())
        sql << QStringLiteral("and NoRazaoEstabelecimento like :PRazaoEstab");
    else if (!filtro.letra1.isEmpty())
        sql << QStringLiteral("and ((NoRazaoEstabelecimento like :PLetra1) or (NoRazaoEstabelecimento like :PLetra2))");
    sql << QStringLiteral("order by coCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
    q.setSql(sql);
    q.ParamByName(QStringLiteral("anbase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), ano);
    if (!inscricao.isEmpty())
        q.ParamByName(QStringLiteral("PCgcCei")).setValue(inscricao + QLatin1Char('%'));
    if (!razao.isEmpty())
        q.ParamByName(QStringLiteral("PRazaoEstab")).setValue(razao + QLatin1Char('%'));
    else if (!filtro.letra1.isEmpty()) {
        q.ParamByName(QStringLiteral("PLetra1")).setValue(filtro.letra1 + QLatin1Char('%'));
        q.ParamByName(QStringLiteral("PLetra2"))
            .setValue(filtro.letra2.isEmpty() ? QString() : filtro.letra2 + QLatin1Char('%'));
    }
    q.Open();
}

QString InscricaoMostradaEstab(const QString &inscricao, const QString &tipo)
{
    if (tipo == QLatin1String("1") || tipo == QLatin1String("3"))
        return FormataInscricao(inscricao, tipo);
    return inscricao;
}

QString CeiVinculadoMostradoEstab(const QString &cei)
{
    const QString t = cei.trimmed();
    if (t.isEmpty() || t == QLatin1String("00000000000000"))
        return QString();
    return FormataInscricao(t, QStringLiteral("3"));
}

AcaoAbrir DecideAbertura(const QString &inscricao, const QString &tipo, QString &tipoNovo)
{
    tipoNovo.clear();
    if (inscricao.trimmed().isEmpty())
        return AcaoAbrir::SemSelecao;
    const QString classe = CriticaInscricao(inscricao);
    if (classe != QLatin1String("0050") && classe != QLatin1String("0051") && classe != QLatin1String("0052"))
        return AcaoAbrir::Invalida;
    if (CriticaInscricaoPorTipo(inscricao, tipo) == CodigoValido)
        return AcaoAbrir::Abre;
    if (classe == QLatin1String("0051"))
        tipoNovo = QStringLiteral("1");
    else if (classe == QLatin1String("0052"))
        tipoNovo = QStringLiteral("3");
    else
        return AcaoAbrir::Escolhe;
    return AcaoAbrir::Abre;
}

AcaoAbrir DecideEscolha(const QString &resposta, QString &tipoNovo)
{
    tipoNovo.clear();
    if (resposta == QLatin1String("CNPJ"))
        tipoNovo = QStringLiteral("1");
    else if (resposta == QLatin1String("CEI"))
        tipoNovo = QStringLiteral("3");
    else
        return AcaoAbrir::Invalida;
    return AcaoAbrir::Abre;
}

bool PrefixoAceito(const QString &prefixo) { return CriticaPrefixo(prefixo) == CodigoValido; }

void CorrigeTipoInscricao(const ChaveEstabelecimento &chave, const QString &tipo)
{
    Transaction transacao;
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    if (empresa.FindKey({chave.AnBase, chave.Inscricao, chave.Prefixo})) {
        empresa.Edit();
        empresa.FieldByName(QStringLiteral("InInscrEstabelecimento")).setAsString(tipo);
        empresa.Post();
    }
    empresa.Close();
    execWrite(QStringLiteral("update bd8vinc set InInscrEstabelecimento = ?1 where AnBase = ?2 and "
                             "CoCgcCeiEstabelecimento = ?3 and NuPrefixoEstabelecimento = ?4"),
              [&](Statement &s) {
                  const QString tabela = QStringLiteral("bd8vinc");
                  s.bindStored(1, tabela, QStringLiteral("InInscrEstabelecimento"), tipo);
                  s.bindStored(2, tabela, QStringLiteral("AnBase"), chave.AnBase);
                  s.bindStored(3, tabela, QStringLiteral("CoCgcCeiEstabelecimento"), chave.Inscricao);
                  s.bindStored(4, tabela, QStringLiteral("NuPrefixoEstabelecimento"), chave.Prefixo);
              });
    transacao.commit();
}

} // namespace gdvorn
