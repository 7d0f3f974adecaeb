#pragma once
// The program's application object. Its notify is the backstop of the exception handling: the silent
// abort that escapes an event handler is swallowed, anything else goes to GDVORNExcecaoGeral. Event
// handlers still run inside Protege: an exception should never travel through the toolkit's code.
//
// It also speaks Portuguese in the toolkit's own windows (file dialogs, standard buttons, context menus of
// the edits) through Qt's Brazilian Portuguese translations, "qtbase_pt_BR", installed by Debian's
// qt6-translations-l10n.

#include <QApplication>

namespace gdvorn {

class TAplicacao : public QApplication {
    Q_OBJECT
public:
    // Also installs the forms' part of the exception handling (InstalaTratamentoExcecao) and Qt's
    // Portuguese texts (CarregaTraducoesQt).
    TAplicacao(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

// A request to end the program from outside (SIGTERM, SIGINT) is taken through the event loop, as closing
// the main window is: every box of the presenter is answered with its escape answer (No, Cancel), at once
// and from then on (QtPresenter::Encerra), every window is closed and the message loop ends. A request
// that comes before the loop runs (a box of the start-up on screen) ends the start-up as that answer does;
// TerminoPedido() tells the start-up not to enter the loop. Call once, after the application object exists.
void InstalaTermino();
bool TerminoPedido();

// Installs Qt's Brazilian Portuguese texts in `app` (the translator is a child of `app`). False, and
// nothing installed, when the translation files are missing: the toolkit then speaks English.
bool CarregaTraducoesQt(QCoreApplication &app);

} // namespace gdvorn
