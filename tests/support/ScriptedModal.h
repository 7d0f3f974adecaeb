#pragma once
// The modal executor of the tests: every window shown through ExecutaModal is recorded by object name
// and handed to the next script of the queue (which drives it, clicking its buttons, and returns); with
// the queue empty, or when the script leaves it open, the window is
// closed as rejected. The window is shown (not modally) while its script runs, so
// that focus and activation behave as on screen. Installed for its lifetime.

#include "app/QtModal.h"

#include <QDialog>
#include <QQueue>
#include <QStringList>
#include <QTest>

#include <functional>

namespace gdvorn::test {

class ScriptedModal {
public:
    using Script = std::function<void(QDialog &)>;
    ScriptedModal()
    {
        m_previous = setExecutorModal([this](QDialog &janela) {
            shown << janela.objectName();
            janela.setResult(QDialog::Rejected);
            janela.show();
            janela.activateWindow();
            active = QTest::qWaitForWindowActive(&janela);
            if (!m_scripts.isEmpty())
                m_scripts.dequeue()(janela);
            // A window the script left open is closed without asking it (it may refuse Esc).
            if (janela.isVisible())
                janela.done(QDialog::Rejected);
            return janela.result();
        });
    }
    ~ScriptedModal() { setExecutorModal(m_previous); }
    void then(Script script) { m_scripts.enqueue(std::move(script)); }

    QStringList shown;
    bool active = false; // whether the last window shown became the active window

private:
    QQueue<Script> m_scripts;
    std::function<int(QDialog &)> m_previous;
};

} // namespace gdvorn::test
