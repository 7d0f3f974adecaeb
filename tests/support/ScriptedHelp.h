#pragma once
// The help viewer of the tests: records every page asked for (file name and anchor) instead of showing it.
// Installed for its lifetime, on the help folder laid out in the build.

#include "app/ugHtmlHelpAPI.h"

#include <QFile>
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

// The help contexts carried by `janela` and its children (controls, actions, menus) that the map of the
// help folder does not hold or whose page is missing, as "objectName: context". Empty when all resolve.
// Sets `contextos` to the number of contexts met.
inline QStringList contextosSemPagina(const QObject *janela, int *contextos = nullptr)
{
    QStringList faltas;
    int n = 0;
    QList<const QObject *> objetos{janela};
    for (const QObject *o : janela->findChildren<QObject *>())
        objetos << o;
    for (const QObject *o : objetos) {
        const int contexto = o->property("contextoAjuda").toInt();
        if (contexto == 0)
            continue;
        ++n;
        const QString pagina = PaginaAjuda(contexto);
        if (pagina.isEmpty() || !QFile::exists(PastaAjuda() + pagina.section(QLatin1Char('#'), 0, 0)))
            faltas << o->objectName() + QStringLiteral(": ") + QString::number(contexto);
    }
    if (contextos)
        *contextos = n;
    return faltas;
}

} // namespace gdvorn::test
