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

bool todosZeros(const QString &s)
{
    const QString t = s.trimmed();
    return !t.isEmpty() && t.count(QLatin1Char('0')) == t.size();
}

bool soDigitos(const QString &s)
{
    for (QChar c : s)
        if (!c.isDigit())
            return false;
    return true;
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

namespace {

// The counts go to the establishment's own row, found by its key, wherever `empresa` stood before.
void gravaContagemDaChave(Table &empresa, const ChaveEstabelecimento &chave, const ContagemVinculos &contagem)
{
    if (empresa.FindKey({chave.AnBase, chave.Inscricao, chave.Prefixo}))
        GravaContagemEstab(empresa, contagem);
}

} // namespace

ContagemVinculos RecontaVinculosEstab(const ChaveEstabelecimento &chave)
{
    Transaction transacao;
    const ContagemVinculos contagem = ContaVinculosEstab(chave);
    Table empresa(QStringLiteral("bd8emp"));
    empresa.Open();
    gravaContagemDaChave(empresa, chave, contagem);
    empresa.Close();
    transacao.commit();
    return contagem;
}

ContagemVinculos GravaVinculoEContagem(Table &vinculo, Table &empresa, const ChaveEstabelecimento &chave)
{
    Transaction transacao(vinculo.connection());
    vinculo.Post();
    const ContagemVinculos contagem = contaEm(chave, vinculo.connection());
    gravaContagemDaChave(empresa, chave, contagem);
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
    gravaContagemDaChave(empresa, chave, contagem);
    transacao.commit();
    return contagem;
}

bool PreparaParaEdicao(Table &t, int anoBase)
{
    auto campo = [&t](const char *nome) { return t.FieldByName(QLatin1String(nome)).AsString().trimmed(); };
    auto grava = [&t](const char *nome, const QString &valor) { t.FieldByName(QLatin1String(nome)).setAsString(valor); };
    for (const char *nome :
         {"AnChegadaEmpregado", "NuCartTrabEmpregado", "CoCpfEmpregado", "CoNacionalidade", "CoDeficienteFisico",
          "CoInstrucao", "CoTipoAdmissao", "CoTipoSalarioContratual", "CoCbo", "CoMunicipioTrabalho", "CoVinculo",
          "CoCausaDesligamento", "DaDesligamentoEmpregado", "CoMotivoPrimAfas", "CoMotivoSeguAfas",
          "CoMotivoTercAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas", "DaInicioSegundoAfas",
          "DaFinalSegundoAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas", "CoCNPJSindical",
          "CoCNPJPrimAssociativa", "CoCNPJSegAssociativa", "CoCNPJAssistencial", "CoCNPJConfederativa",
          "Me13AdiantamentoEmpregado", "Me13ParcelaFinalEmpregado"})
        if (todosZeros(campo(nome)))
            grava(nome, QString());
    const QString serie = campo("SeCartTrabEmpregado");
    grava("SeCartTrabEmpregado", todosZeros(serie) ? QString() : CompletaZeros(serie, 5));
    for (const auto &[nome, n] : std::initializer_list<std::pair<const char *, int>>{
             {"QtDiasAfas", 3}, {"QtCompBcoHoras", 2}, {"QtCompDissidio", 2}, {"QtCompGratificacoes", 2}})
        if (todosZeros(campo(nome)))
            grava(nome, QString(n, QLatin1Char('0')));

    // Work permit: only a minor may hold one, and never for link type "55".
    QString anoNascimento = campo("DaNascimentoEmpregado").mid(4, 4);
    const QString tipoVinculo = campo("CoVinculo");
    if (anoNascimento.isEmpty() || tipoVinculo.isEmpty()) {
        grava("InAlvaraEmpregado", QStringLiteral("2"));
        return false;
    }
    if (!soDigitos(anoNascimento))
        anoNascimento = QStringLiteral("0000");
    if (anoBase - anoNascimento.toInt() > 16) {
        grava("InAlvaraEmpregado", QStringLiteral("2"));
        return false;
    }
    if (tipoVinculo == QLatin1String("55"))
        return false;
    if (campo("InAlvaraEmpregado") != QLatin1String("1"))
        grava("InAlvaraEmpregado", QStringLiteral("2"));
    return true;
}

std::optional<DadosPessoaisPis> DadosDoPis(const QString &ano, const QString &pis)
{
    Query q;
    q.setSql(QStringList{QStringLiteral("select NoEmpregado,DaNascimentoEmpregado,CoNacionalidade,"),
                         QStringLiteral("AnChegadaEmpregado,CoInstrucao,NuCartTrabEmpregado,SeCartTrabEmpregado,"),
                         QStringLiteral("CoTipoRaca,"), QStringLiteral("InDeficienteFisico,"),
                         QStringLiteral("CoDeficienteFisico,"), QStringLiteral("InSexo,"),
                         QStringLiteral("CoCPFEmpregado"), QStringLiteral("from BD8Vinc"),
                         QStringLiteral("where AnBase = :sAnoBase and"),
                         QStringLiteral("      CoPisPasepEmpregado = :sPisPasep")});
    q.ParamByName(QStringLiteral("sAnoBase")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("AnBase"), ano);
    q.ParamByName(QStringLiteral("sPisPasep")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoPisPasepEmpregado"), pis);
    q.Open();
    if (q.IsEmpty())
        return std::nullopt;
    auto de = [&q](const char *nome) { return q.FieldByName(QLatin1String(nome)).AsString().trimmed(); };
    auto semZeros = [](const QString &v) { return todosZeros(v) ? QString() : v; };
    DadosPessoaisPis dados{{QStringLiteral("NoEmpregado"), de("NoEmpregado")},
                           {QStringLiteral("DaNascimentoEmpregado"), de("DaNascimentoEmpregado")},
                           {QStringLiteral("CoNacionalidade"), de("CoNacionalidade")},
                           {QStringLiteral("AnChegadaEmpregado"), semZeros(de("AnChegadaEmpregado"))},
                           {QStringLiteral("CoTipoRaca"), de("CoTipoRaca")},
                           {QStringLiteral("InDeficienteFisico"), de("InDeficienteFisico")},
                           {QStringLiteral("CoDeficienteFisico"), de("CoDeficienteFisico")},
                           {QStringLiteral("CoInstrucao"), de("CoInstrucao")},
                           {QStringLiteral("NuCartTrabEmpregado"), semZeros(de("NuCartTrabEmpregado"))},
                           {QStringLiteral("SeCartTrabEmpregado"), de("SeCartTrabEmpregado")},
                           {QStringLiteral("CoCpfEmpregado"), semZeros(de("CoCPFEmpregado"))},
                           {QStringLiteral("InSexo"), de("InSexo")}};
    q.Close();
    return dados;
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
