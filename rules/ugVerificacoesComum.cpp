#include "rules/ugVerificacoesComum.h"

namespace gdvorn {

QString CampoGravado(Table &tabela, const char *nome) { return tabela.FieldByName(QLatin1String(nome)).AsString(); }

QString CampoAparado(Table &tabela, const char *nome) { return CampoGravado(tabela, nome).trimmed(); }

bool CodigoEntre(const QString &codigo, std::initializer_list<const char *> aceitos)
{
    for (const char *c : aceitos) {
        if (codigo == QLatin1String(c))
            return true;
    }
    return false;
}

QString TextoTipoInscricao(const QString &tipo, bool responsavel)
{
    if (tipo == QLatin1String("1"))
        return QStringLiteral("1 (CNPJ)");
    if (tipo == QLatin1String("3"))
        return QStringLiteral("3 (CEI)");
    if (responsavel && tipo == QLatin1String("4"))
        return QStringLiteral("4 (CPF)");
    return tipo;
}

QString TextoTipoVinculado(const QString &tipo)
{
    if (tipo == QLatin1String("1"))
        return QStringLiteral("1 (CGC)");
    if (tipo == QLatin1String("3"))
        return QStringLiteral("3 (CEI)");
    return tipo;
}

QString CodigoUfDaSiglaNaExecucao(AnaliseConsistencia &a, const QString &sigla)
{
    const QString s = TextoAparado(sigla);
    if (s.isEmpty() || !a.Uf.FindKey({s}))
        return QString();
    return CampoAparado(a.Uf, "CoUf");
}

} // namespace gdvorn
