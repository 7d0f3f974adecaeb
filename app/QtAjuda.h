#pragma once
// The help window: the pages of Ajuda-GDVORN in a text browser with back, forward and the contents page.
// One window for the run, not modal, raised whenever a page is asked for; Esc closes it. VisorAjudaQt is
// the viewer that the program installs (ugHtmlHelpAPI).
//
// Asked for while a modal form is open (F1 in the form), the window becomes that form's own window: it
// stands over it and takes input while the form is open. When the form hides, the window goes back to
// standing alone, still showing its page.

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

class VisorAjudaQt : public QObject, public VisorAjuda {
public:
    ~VisorAjudaQt() override;
    void mostra(const QString &arquivo, const QString &ancora) override;
    TfmAjuda *janela() const { return m_janela; }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    // Makes the window `dono`'s own (nullptr: a window of its own), keeping it open if it was.
    void muda(QWidget *dono);

    QPointer<TfmAjuda> m_janela;
};

} // namespace gdvorn
