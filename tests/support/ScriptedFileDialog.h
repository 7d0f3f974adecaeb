#pragma once
// The file dialog of the tests: records each request and answers from a queue (an empty text is a
// cancel); with the queue empty it cancels. Installed for its lifetime.

#include "app/base/DialogoArquivo.h"

#include <QList>
#include <QQueue>

namespace gdvorn::test {

class ScriptedFileDialog : public DialogoArquivo {
public:
    ScriptedFileDialog() { m_previous = setDialogoArquivo(this); }
    ~ScriptedFileDialog() override { setDialogoArquivo(m_previous); }

    void answer(const QString &file) { m_answers.enqueue(file); }
    QString escolhe(QWidget *, const PedidoArquivo &pedido) override
    {
        requests << pedido;
        return m_answers.isEmpty() ? QString() : m_answers.dequeue();
    }

    QList<PedidoArquivo> requests;

private:
    QQueue<QString> m_answers;
    DialogoArquivo *m_previous = nullptr;
};

} // namespace gdvorn::test
