#include "workflows/ugPesq.h"

#include "app/base/Query.h"
#include "app/base/Statement.h"
#include "app/ugFuncoes.h"

namespace gdvorn {

QString RespostasEmBranco() { return QString(QtdPerguntasPesquisa, QLatin1Char('B')); }

QString CompletaRespostas(const QString &armazenadas)
{
    return armazenadas.left(QtdPerguntasPesquisa).leftJustified(QtdPerguntasPesquisa, QLatin1Char('B'));
}

bool CodificaResposta(const QString &digitada, QChar &codigo)
{
    const QString valor = CompletaZeros(digitada.trimmed(), 2);
    if (valor == QLatin1String("00"))
        codigo = QLatin1Char('B');
    else if (valor == QLatin1String("10"))
        codigo = QLatin1Char('A');
    else if (valor == QLatin1String("77"))
        codigo = QLatin1Char('X');
    else if (valor.at(0) == QLatin1Char('0') && valor.at(1) >= QLatin1Char('1') && valor.at(1) <= QLatin1Char('9'))
        codigo = valor.at(1);
    else
        return false;
    return true;
}

QString MostraResposta(QChar codigo)
{
    if (codigo == QLatin1Char('A'))
        return QStringLiteral("10");
    if (codigo == QLatin1Char('X'))
        return QStringLiteral("77");
    if (codigo >= QLatin1Char('1') && codigo <= QLatin1Char('9'))
        return QLatin1Char('0') + codigo;
    return QString();
}

QString LeRespostasPesquisa()
{
    Query q;
    q.setSql(QStringLiteral("select NuRespostaPesquisa from BD8Resp"));
    q.Open();
    return q.Eof() ? RespostasEmBranco() : CompletaRespostas(q.Fields(0).AsString());
}

void GravaRespostasPesquisa(const QString &respostas)
{
    Query q;
    q.setSql(QStringLiteral("select * from BD8Resp"));
    q.Open();
    const bool vazia = q.Eof();
    q.Close();
    execWrite(vazia ? QStringLiteral("insert into bd8resp (NuRespostaPesquisa) values (?1)")
                    : QStringLiteral("update BD8Resp set NuRespostaPesquisa = ?1"),
              [&](Statement &s) { s.bindStored(1, QStringLiteral("bd8resp"), QStringLiteral("NuRespostaPesquisa"), respostas); });
}

} // namespace gdvorn
