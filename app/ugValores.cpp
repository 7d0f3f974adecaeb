#include "app/ugValores.h"

#include "app/ugFuncoes.h"

namespace gdvorn {

namespace {

bool soZeros(const QString &s)
{
    for (QChar c : s)
        if (c != QLatin1Char('0'))
            return false;
    return true;
}

} // namespace

QString TextoDoValor(const QString &centavos, ZeroMostrado zero)
{
    const QString v = centavos.trimmed();
    if (v.isEmpty() || soZeros(v)) {
        if (zero == ZeroMostrado::Simples)
            return QStringLiteral("0,00");
        return FormataValor(QStringLiteral("0000000,00"));
    }
    const QString nove = CompletaZeros(v, qMax(9, int(v.size())));
    return FormataValor(nove.left(nove.size() - 2) + QLatin1Char(',') + nove.right(2));
}

QString TextoEdicaoValor(const QString &texto, bool vazioComoZero)
{
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return vazioComoZero ? QStringLiteral("0,00") : texto;
    return RetiraPontos(t);
}

QString CentavosDoTexto(const QString &texto, int largura)
{
    QString digitos = texto.trimmed();
    digitos.remove(QLatin1Char('.'));
    digitos.remove(QLatin1Char(','));
    if (digitos.size() >= largura)
        return digitos;
    return Zeros(largura - int(digitos.size())) + digitos;
}

QString CentavosDoDigitado(const QString &texto, int largura)
{
    const QString formatado = FormataValor(texto);
    if (formatado == QLatin1String("Erro"))
        return QString();
    return CentavosDoTexto(formatado, largura);
}

ValorDigitado PassosValor(const QString &texto, int largura)
{
    ValorDigitado v;
    v.Formatado = FormataValor(texto);
    if (v.Formatado == QLatin1String("Erro")) {
        v.Codigo = QStringLiteral("0040");
        return v;
    }
    v.Centavos = CentavosDoTexto(v.Formatado, largura);
    v.Codigo = v.Centavos.size() > largura ? QStringLiteral("0315") : QStringLiteral("0000");
    return v;
}

QString MostraValorSindical(const QString &centavos) { return TextoDoValor(centavos, ZeroMostrado::Simples); }
QString PreparaValorEdicao(const QString &texto) { return TextoEdicaoValor(texto, true); }
QString ValorEmCentavos(const QString &texto) { return CentavosDoTexto(texto, 9); }

QString MostraValor(const QString &centavos) { return TextoDoValor(centavos, ZeroMostrado::Alinhado); }
QString DesformataValor(const QString &texto) { return TextoEdicaoValor(texto, false); }
QString ValorGravacao9(const QString &texto) { return CentavosDoTexto(texto, 9); }
QString ValorGravacao8(const QString &texto) { return CentavosDoTexto(texto, 8); }

} // namespace gdvorn
