#pragma once
// The help window: the pages of Ajuda-GDVORN in a text browser with back, forward and the contents page.
// One window for the run, not modal, raised whenever a page is asked for; Esc closes it. VisorAjudaQt is
// the viewer that the program installs (ugHtmlHelpAPI).

#include "app/ugHtmlHelpAPI.h"

#include <QPointer>
#include <QWidget>

class QTextBrowser;

namespace gdvorn {

class TfmAjuda : public QWidget {
    Q_OBJECT
public:
    explicit TfmAjuda(QWidget *parent = nullptr);
    void mostra(const QString &arquivo, const QString &ancora);
    QTextBrowser *Navegador = nullptr;
};

class VisorAjudaQt : public VisorAjuda {
public:
    ~VisorAjudaQt() override;
    void mostra(const QString &arquivo, const QString &ancora) override;
    TfmAjuda *janela() const { return m_janela; }

private:
    QPointer<TfmAjuda> m_janela;
};

} // namespace gdvorn
