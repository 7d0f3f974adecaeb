#pragma once
// The help viewer of the tests: records every page asked for (file name and anchor) instead of showing it.
// Installed for its lifetime, on the help folder laid out in the build.

#include "app/ugHtmlHelpAPI.h"

#include <QFileInfo>
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

} // namespace gdvorn::test
