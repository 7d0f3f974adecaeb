#pragma once
// The help viewer of the tests: records every page asked for (file name and anchor) instead of showing it.
// Installed for its lifetime, on the help folder laid out in the build.

#include "app/ugHtmlHelpAPI.h"

#include <QFile>
#include <QRegularExpression>
#include <QFileInfo>
#include <QObject>
#include <QStringList>
#include <QList>
#include <QPair>

namespace gdvorn::test {

class ScriptedHelp : public VisorAjuda {
public:
    ScriptedHelp()
    {
        m_previous = setVisorAjuda(this);
        setPastaAjuda(QStringLiteral(GDVORN_AJUDA_DIR));
    }
    ~ScriptedHelp() override
    {
        setVisorAjuda(m_previous);
        setPastaAjuda(QString());
    }
    void mostra(const QString &arquivo, const QString &ancora) override
    {
        pages << qMakePair(QFileInfo(arquivo).fileName(), ancora);
    }
    // The last page as "file#anchor" (or "file").
    QString last() const
    {
        if (pages.isEmpty())
            return QString();
        return pages.last().second.isEmpty() ? pages.last().first : pages.last().first + QLatin1Char('#') + pages.last().second;
    }
    QList<QPair<QString, QString>> pages;

private:
    VisorAjuda *m_previous = nullptr;
};

// `janela` and its children that carry a help context.
inline QList<const QObject *> objetosComAjuda(const QObject *janela)
{
    QList<const QObject *> objetos;
    for (const QObject *o : QList<const QObject *>{janela} + janela->findChildren<const QObject *>())
        if (o->property("contextoAjuda").toInt() != 0)
            objetos << o;
    return objetos;
}

// The help contexts carried by `janela` and its children (controls, actions, menus) that the map of the
// help folder does not hold or whose page is missing, as "objectName: context". Empty when all resolve.
// Sets `contextos` to the number of contexts met.
inline QStringList contextosSemPagina(const QObject *janela, int *contextos = nullptr)
{
    QStringList faltas;
    int n = 0;
    for (const QObject *o : objetosComAjuda(janela)) {
        const int contexto = o->property("contextoAjuda").toInt();
        ++n;
        const QString pagina = PaginaAjuda(contexto);
        if (pagina.isEmpty() || !QFile::exists(PastaAjuda() + pagina.section(QLatin1Char('#'), 0, 0)))
            faltas << o->objectName() + QStringLiteral(": ") + QString::number(contexto);
    }
    if (contextos)
        *contextos = n;
    return faltas;
}

// The help contexts carried by `janela` and its children whose page does not name the window (`nome`, as
// the window's caption or the words the page uses for it, compared without case) or has no such anchor, as
// "objectName: context -> page". Empty when every context opens a page about that window.
inline QStringList contextosForaDaJanela(const QObject *janela, const QString &nome)
{
    QStringList faltas;
    for (const QObject *o : objetosComAjuda(janela)) {
        const int contexto = o->property("contextoAjuda").toInt();
        const QString pagina = PaginaAjuda(contexto);
        QFile arquivo(PastaAjuda() + pagina.section(QLatin1Char('#'), 0, 0));
        QString html;
        if (!pagina.isEmpty() && arquivo.open(QIODevice::ReadOnly))
            html = QString::fromUtf8(arquivo.readAll());
        const QString texto = QString(html).remove(QRegularExpression(QStringLiteral("<[^>]*>"))).simplified();
        const QString ancora = pagina.section(QLatin1Char('#'), 1);
        const bool temAncora = ancora.isEmpty() || html.contains(QStringLiteral("id=\"%1\"").arg(ancora));
        if (!temAncora || !texto.contains(nome, Qt::CaseInsensitive))
            faltas << o->objectName() + QStringLiteral(": ") + QString::number(contexto) + QStringLiteral(" -> ") + pagina;
    }
    return faltas;
}

} // namespace gdvorn::test
