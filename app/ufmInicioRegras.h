#pragma once
// The start-up information window: a recommendation on transmitting with a digital certificate and the
// choice "Não mostrar este quadro novamente", kept in BD8RESP.InDicas through the window's own table.
//
// At the main window's first activation it is shown with a countdown: OK is enabled (and focused) on the
// sixth one-second tick; until then the window cannot be closed (no close box, Esc refused). From the menu
// it is shown with OK enabled at once. OK stores the choice and closes; when the table cannot be written
// (a read-only data folder) the engine's error is shown through the presenter and the window still closes.

#include "app/FormBinder.h"
#include "app/base/Table.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTimer;

namespace gdvorn {

class TfmInicioRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmInicioRegras(QWidget *parent = nullptr);
    ~TfmInicioRegras() override;

    // The first activation of the main window: opens the table; unless InDicas is true, shows the window
    // modally with the countdown running. Returns whether it was shown.
    bool MostraNoInicio();
    // "&Informações Úteis": OK enabled, no countdown, shown modally.
    void MostraDoMenu();

    // One tick of the countdown (the timer's handler).
    void Timer1Timer();

    QCheckBox *cbDicas = nullptr;
    QPushButton *BtOk = nullptr;
    QTimer *Timer1 = nullptr;
    Table taResp;

    int contagem() const { return m_contagem; }

public slots:
    void reject() override; // Esc: only once OK is enabled

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override; // the application's quit

private:
    void abreTabela();
    void BtOkClick();
    FormBinder m_binder{&taResp};
    int m_contagem = 6;
    bool m_saindo = false;
};

// The program-wide instance, created at start-up after the data modules.
extern TfmInicioRegras *fmInicioRegras;

} // namespace gdvorn
