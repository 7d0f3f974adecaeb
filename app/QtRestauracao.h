#pragma once
// The restore message: another process that connects to the local server named after the message makes
// the running copy restore its main window and bring it to the foreground.

#include <QLocalServer>
#include <QPointer>
#include <QWidget>

namespace gdvorn {

class ServidorRestauracao : public QObject {
    Q_OBJECT
public:
    explicit ServidorRestauracao(QObject *parent = nullptr);
    void setJanelaPrincipal(QWidget *janela) { m_janela = janela; }
    static QString NomeServidor();

private:
    void restaura();
    QLocalServer m_servidor;
    QPointer<QWidget> m_janela;
};

} // namespace gdvorn
