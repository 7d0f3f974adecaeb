#pragma once
// The modal executor of the tests: every window shown through ExecutaModal is recorded by object name
// and handed to the next script of the queue (which drives it, clicking its buttons, and returns); with
// the queue empty the window is rejected. The window is shown (not modally) while its script runs, so
// that focus and activation behave as on screen. Installed for its lifetime.

#include "app/QtModal.h"

#include <QDialog>
#include <QQueue>
#include <QStringList>

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
            if (!m_scripts.isEmpty())
                m_scripts.dequeue()(janela);
            if (janela.isVisible())
                janela.reject();
            return janela.result();
        });
    }
    ~ScriptedModal() { setExecutorModal(m_previous); }
    void then(Script script) { m_scripts.enqueue(std::move(script)); }

    QStringList shown;

private:
    QQueue<Script> m_scripts;
    std::function<int(QDialog &)> m_previous;
};

} // namespace gdvorn::test
