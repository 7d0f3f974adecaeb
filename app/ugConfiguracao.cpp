#include "app/ugConfiguracao.h"

#include <QCoreApplication>
#include <QDir>

namespace gdvorn {

namespace {

TConfiguracao *g_configuracao = nullptr;
QString g_diretorioPrograma;

TConfiguracao &padrao()
{
    static TConfiguracao inicial;
    return inicial;
}

QString comBarra(QString pasta)
{
    if (!pasta.endsWith(QLatin1Char('/')))
        pasta += QLatin1Char('/');
    return pasta;
}

} // namespace

TConfiguracao::TConfiguracao()
{
    ConsultaAposTransmite = false;
    AnoBase = 2010;
    Ambiente = QStringLiteral("Produção");
    Versao = QString::number(AnoBase) + QLatin1Char('.') + QStringLiteral("01") + QLatin1Char('.') + QStringLiteral("03");
    CodigoSO = QStringLiteral("0"); // the Windows version classes do not apply: unknown

    // "C:\VornNet2010\VornNet2010.exe", with "D" or "H" before the extension in those environments.
    QString sufixo;
    if (Ambiente == QLatin1String("Desenvolvimento"))
        sufixo = QStringLiteral("D");
    else if (Ambiente == QStringLiteral("Homologação"))
        sufixo = QStringLiteral("H");
    const QString ano = QString::number(AnoBase);
    CaminhoVornNet = Raiz() + QStringLiteral("/VornNet") + ano + QStringLiteral("/VornNet") + ano + sufixo;
    CaminhoVornNetCertificado = CaminhoVornNet;

    PrimeiraAtivacao = QStringLiteral("S");
}

QString TConfiguracao::SufixoAmbiente() const
{
    if (Ambiente == QLatin1String("Desenvolvimento"))
        return QStringLiteral(" Desenvolvimento");
    if (Ambiente == QStringLiteral("Homologação"))
        return QStringLiteral(" Homologação");
    return QString();
}

TConfiguracao &Configuracao() { return g_configuracao ? *g_configuracao : padrao(); }

TConfiguracao *setConfiguracao(TConfiguracao *c)
{
    TConfiguracao *antes = g_configuracao;
    g_configuracao = c;
    return antes;
}

QString DiretorioPrograma()
{
    if (!g_diretorioPrograma.isEmpty())
        return g_diretorioPrograma;
    return comBarra(QCoreApplication::applicationDirPath());
}

void setDiretorioPrograma(const QString &pasta)
{
    g_diretorioPrograma = pasta.isEmpty() ? QString() : comBarra(QDir::fromNativeSeparators(pasta));
}

QString Raiz()
{
    QString raiz = qEnvironmentVariable("GDVORN_RAIZ");
    if (raiz.isEmpty())
        raiz = QDir::homePath();
    raiz = QDir::fromNativeSeparators(raiz);
    while (raiz.size() > 1 && raiz.endsWith(QLatin1Char('/')))
        raiz.chop(1);
    return raiz;
}

} // namespace gdvorn
