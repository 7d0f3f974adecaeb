#include "app/ugHtmlHelpAPI.h"

#include "app/ugConfiguracao.h"

#include <QFile>
#include <QHash>
#include <QObject>
#include <QTextStream>
#include <QVariant>

namespace gdvorn {

namespace {

const char *const kPropriedade = "contextoAjuda";

VisorAjuda *g_visor = nullptr;
QString g_pasta;

struct Mapa {
    QString pasta;
    QHash<int, QString> paginas;
};

const QHash<int, QString> &mapa()
{
    static Mapa m;
    const QString pasta = PastaAjuda();
    if (m.pasta != pasta) {
        m.pasta = pasta;
        m.paginas.clear();
        QFile arquivo(pasta + QStringLiteral("contextos.tsv"));
        if (arquivo.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&arquivo);
            in.setEncoding(QStringConverter::Utf8);
            while (!in.atEnd()) {
                const QString linha = in.readLine();
                if (linha.startsWith(QLatin1Char('#')) || linha.trimmed().isEmpty())
                    continue;
                bool ok = false;
                const int contexto = linha.section(QLatin1Char('\t'), 0, 0).trimmed().toInt(&ok);
                const QString pagina = linha.section(QLatin1Char('\t'), 1, 1).trimmed();
                if (ok && !pagina.isEmpty())
                    m.paginas.insert(contexto, pagina);
            }
        }
    }
    return m.paginas;
}

void mostraPagina(const QString &pagina)
{
    if (!g_visor)
        return;
    g_visor->mostra(PastaAjuda() + pagina.section(QLatin1Char('#'), 0, 0), pagina.section(QLatin1Char('#'), 1));
}

} // namespace

VisorAjuda *setVisorAjuda(VisorAjuda *visor)
{
    VisorAjuda *anterior = g_visor;
    g_visor = visor;
    return anterior;
}

QString PastaAjuda()
{
    if (!g_pasta.isEmpty())
        return g_pasta;
    return DiretorioPrograma() + QStringLiteral("Ajuda-GDVORN/");
}

void setPastaAjuda(const QString &pasta)
{
    g_pasta = pasta;
    if (!g_pasta.isEmpty() && !g_pasta.endsWith(QLatin1Char('/')))
        g_pasta += QLatin1Char('/');
}

QString PaginaAjuda(int contexto) { return mapa().value(contexto); }

void MostraAjuda() { mostraPagina(QStringLiteral("index.html")); }

void MostraAjudaContexto(int contexto)
{
    const QString pagina = PaginaAjuda(contexto);
    mostraPagina(pagina.isEmpty() ? QStringLiteral("index.html") : pagina);
}

int ContextoAjuda(const QObject *controle)
{
    for (const QObject *o = controle; o; o = o->parent()) {
        const QVariant v = o->property(kPropriedade);
        if (v.isValid() && v.toInt() != 0)
            return v.toInt();
    }
    return 0;
}

void setContextoAjuda(QObject *controle, int contexto) { controle->setProperty(kPropriedade, contexto); }

} // namespace gdvorn
