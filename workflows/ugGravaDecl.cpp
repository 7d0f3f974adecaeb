#include "workflows/ugGravaDecl.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/udmDadosResp.h"
#include "app/ugEstrutura.h"
#include "app/ugFuncoes.h"
#include "rules/ugRegrasResponsavel.h"

#include <QFileInfo>

namespace gdvorn {

namespace {

QString texto(Query &q, const char *campo) { return q.FieldByName(QLatin1String(campo)).AsString().trimmed(); }

// Field i of `origem` into field i of `destino`, for the fields both declare.
void copiaPorPosicao(Table &origem, Table &destino)
{
    const int n = std::min(origem.FieldCount(), destino.FieldCount());
    for (int i = 0; i < n; ++i)
        destino.Fields(i).setValue(origem.Fields(i).Value());
}

} // namespace

QString LinhaEstabelecimentoGravacao(const QString &inscricao, const QString &tipo, const QString &prefixo,
                                     const QString &razao, const QString &vinculos)
{
    const QString dois(2, QLatin1Char(' '));
    return PreencheBrancos(FormataInscricao(inscricao, tipo), 18) + dois + prefixo + dois + PreencheBrancos(razao, 30) +
           dois + vinculos;
}

QList<EstabelecimentoNaLista> EstabelecimentosDoAno(TdmDadosResp &dm, const QString &ano)
{
    Query &q = dm.quEmpresas;
    q.Close();
    q.setSql(QStringList{QStringLiteral("SELECT *"), QStringLiteral("FROM BD8Emp"), QStringLiteral("WHERE Anbase = :AnBase"),
                         QStringLiteral("ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento")});
    q.ParamByName(QStringLiteral("AnBase")).setValue(ano);
    q.Open();
    QList<EstabelecimentoNaLista> lista;
    for (; !q.Eof(); q.Next()) {
        EstabelecimentoNaLista e;
        e.Chave = {texto(q, "AnBase"), texto(q, "CoCgcCeiEstabelecimento"), texto(q, "NuPrefixoEstabelecimento")};
        e.ComEmpregados = texto(q, "InVornNegEstabelecimento") == QLatin1String("0");
        e.Linha = LinhaEstabelecimentoGravacao(e.Chave.Inscricao, texto(q, "InInscrEstabelecimento"), e.Chave.Prefixo,
                                               texto(q, "NoRazaoEstabelecimento"), texto(q, "NuVinculosEstabelecimento"));
        lista << e;
    }
    return lista;
}

QString CriticaDataGravacao(const QString &data, int anoBase)
{
    if (!DataValida(data))
        return QStringLiteral("0421");
    const QString aaaammdd = data.mid(4, 4) + data.mid(2, 2) + data.left(2);
    const QString seguinte = QString::number(anoBase + 1);
    if (aaaammdd < seguinte + QStringLiteral("0101"))
        return QStringLiteral("0420");
    if (aaaammdd > seguinte + QStringLiteral("1231"))
        return QStringLiteral("0423");
    return QStringLiteral("0000");
}

QString CriticaCreaGravacao(const QString &crea)
{
    const QString c = crea.trimmed();
    QString codigo = CriticaCreaRetificacao(c, QStringLiteral("1"));
    if (codigo == QLatin1String("0000"))
        codigo = CriticaCrea(c);
    return codigo;
}

QString HoraGeracao(const QTime &hora) { return hora.toString(QStringLiteral("HHmmss")); }

QString NomeResumo(const QString &nomeArquivoGerado) { return QStringLiteral("Resumo_") + nomeArquivoGerado; }

QString PerguntaSobrescreveResumo(const QString &arquivo)
{
    return QStringLiteral("Já existe um arquivo de nome \"") + QFileInfo(arquivo).fileName() +
           QStringLiteral("\" no caminho especificado.\rAutoriza gravar sobre?");
}

QStringList VinculoRetificacao::campos() const
{
    return {CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado,
            InInscrEstabelecimento, DaDesligamentoEmpregado, CoCbo};
}

void SelecaoRetificacao::Inicia(const QList<EstabelecimentoNaLista> &listados)
{
    Estabelecimentos.clear();
    Atual = -1;
    for (const EstabelecimentoNaLista &e : listados)
        Estabelecimentos << EstabRetificacao{e.Chave, e.ComEmpregados, false, {}};
}

void SelecaoRetificacao::EscolheVinculo(int i, const VinculoRetificacao &v)
{
    EstabRetificacao &e = Estabelecimentos[i];
    if (!e.TemVinculo(v))
        e.Vinculos << v;
}

void SelecaoRetificacao::RetiraVinculo(int i, const VinculoRetificacao &v) { Estabelecimentos[i].Vinculos.removeAll(v); }

void SelecaoRetificacao::Libera(int i)
{
    Estabelecimentos[i].Vinculos.clear();
    Estabelecimentos[i].Escolhido = false;
}

void SelecaoRetificacao::LiberaTudo()
{
    Estabelecimentos.clear();
    Atual = -1;
}

int SelecaoRetificacao::QtdEscolhidos() const
{
    int n = 0;
    for (const EstabRetificacao &e : Estabelecimentos)
        n += e.Escolhido ? 1 : 0;
    return n;
}

QList<VinculoNaLista> VinculosDoEstabelecimento(TdmDadosResp &dm, const ChaveEstabelecimento &chave)
{
    Query &q = dm.quVinculos;
    q.Close();
    // In key order, so that a list loaded again shows its lines in the same places.
    q.setSql(QStringList{QStringLiteral("SELECT *"), QStringLiteral("FROM BD8Vinc"), QStringLiteral("WHERE AnBase = :AnBase AND"),
                         QStringLiteral("CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento AND"),
                         QStringLiteral("NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento"),
                         QStringLiteral("ORDER BY CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro,"),
                         QStringLiteral("CoCgcVinculado, InInscrEstabelecimento, DaDesligamentoEmpregado, CoCbo")});
    q.ParamByName(QStringLiteral("AnBase")).setValue(chave.AnBase);
    q.ParamByName(QStringLiteral("CoCgcCeiEstabelecimento")).setValue(chave.Inscricao);
    q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).setValue(chave.Prefixo);
    q.Open();
    QList<VinculoNaLista> lista;
    for (; !q.Eof(); q.Next()) {
        VinculoNaLista l;
        l.Vinculo = {texto(q, "CoPisPasepEmpregado"), texto(q, "DaAdmissaoEmpregado"), texto(q, "NoEmpregado"),
                     texto(q, "NuSequencialRegistro"), texto(q, "CoCgcVinculado"), texto(q, "InInscrEstabelecimento"),
                     texto(q, "DaDesligamentoEmpregado"), texto(q, "CoCbo")};
        l.Linha = FormataPisPasep(l.Vinculo.CoPisPasepEmpregado) + QStringLiteral("  ") +
                  FormataData(l.Vinculo.DaAdmissaoEmpregado) + QStringLiteral("  ") + l.Vinculo.NoEmpregado;
        lista << l;
    }
    return lista;
}

QString CopiaSelecaoRetificacao(TdmDadosResp &dm, const SelecaoRetificacao &selecao)
{
    Transaction transacao;
    for (Table *t : {&dm.ta8Resp, &dm.ta8Emp, &dm.ta8Vinc, &dm.te8Resp, &dm.te8Emp, &dm.te8Vinc})
        if (!t->Active())
            t->Open();
    dm.te8Resp.EmptyTable();
    dm.te8Emp.EmptyTable();
    dm.te8Vinc.EmptyTable();

    dm.ta8Resp.First();
    dm.te8Resp.Append();
    copiaPorPosicao(dm.ta8Resp, dm.te8Resp);
    // The dates of an earlier file are not this rectification's: blank, the writer takes the date typed
    // on the recording page for both.
    dm.te8Resp.FieldByName(QStringLiteral("DaRetificacao")).setAsString(QString());
    dm.te8Resp.FieldByName(QStringLiteral("DaGeracao")).setAsString(QString());
    dm.te8Resp.Post();

    try {
        for (const EstabRetificacao &e : selecao.Estabelecimentos) {
            if (!e.Escolhido)
                continue;
            const QStringList chave{e.Chave.AnBase, e.Chave.Inscricao, e.Chave.Prefixo};
            if (!dm.ta8Emp.FindKey(chave))
                return QStringLiteral("1925");
            dm.te8Emp.Append();
            copiaPorPosicao(dm.ta8Emp, dm.te8Emp);
            dm.te8Emp.Post();
            for (const VinculoRetificacao &v : e.Vinculos) {
                if (!dm.ta8Vinc.FindKey(chave + v.campos()))
                    return QStringLiteral("1925");
                dm.te8Vinc.Append();
                copiaPorPosicao(dm.ta8Vinc, dm.te8Vinc);
                dm.te8Vinc.Post();
            }
        }
    } catch (const KeyViolation &) {
        for (Table *t : {&dm.te8Emp, &dm.te8Vinc})
            if (t->State() == DataSetState::Insert)
                t->Cancel();
        return QStringLiteral("1926");
    }
    dm.ta8Emp.Close();
    dm.ta8Vinc.Close();
    dm.te8Emp.Close();
    dm.te8Vinc.Close();
    transacao.commit();
    return QStringLiteral("0000");
}

bool CriaTabelasRetificacao()
{
    return CopiaEstruturaTabela(QStringLiteral("BD8resp"), QStringLiteral("Te8resp"), kAlias, true) &&
           CopiaEstruturaTabela(QStringLiteral("BD8emp"), QStringLiteral("Te8emp"), kAlias, true) &&
           CopiaEstruturaTabela(QStringLiteral("BD8vinc"), QStringLiteral("Te8vinc"), kAlias, true);
}

} // namespace gdvorn
