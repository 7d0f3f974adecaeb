#include "app/QtRestauracao.h"

#include "app/ugMultInst.h"

#include <QLocalSocket>

namespace gdvorn {

QString ServidorRestauracao::NomeServidor()
{
    // One name per user: the server lives in the user's runtime folder, beside the guards.
    return GuardaInstancia::Caminho(kMensagemRestaura).chopped(5) + QStringLiteral(".sock");
}

ServidorRestauracao::ServidorRestauracao(QObject *parent) : QObject(parent)
{
    QLocalServer::removeServer(NomeServidor());
    m_servidor.listen(NomeServidor()); // a failure leaves start-up going on, without restore
    connect(&m_servidor, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_servidor.nextPendingConnection()) {
            s->disconnectFromServer();
            s->deleteLater();
            restaura();
        }
    });
}

void ServidorRestauracao::restaura()
{
    if (!m_janela)
        return;
    if (m_janela->isMinimized())
        m_janela->showNormal();
    m_janela->show();
    m_janela->raise();
    m_janela->activateWindow();
}

} // namespace gdvorn
