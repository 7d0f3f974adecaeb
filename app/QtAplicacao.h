#pragma once
// The program's application object. Its notify is the backstop of the exception handling: the silent
// abort that escapes an event handler is swallowed, anything else goes to GDVORNExcecaoGeral. Event
// handlers still run inside Protege: an exception should never travel through the toolkit's code.

#include <QApplication>

namespace gdvorn {

class TAplicacao : public QApplication {
    Q_OBJECT
public:
    // Also installs the forms' part of the exception handling (InstalaTratamentoExcecao).
    TAplicacao(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace gdvorn
