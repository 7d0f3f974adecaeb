#pragma once
// The satisfaction survey: 22 questions on two tabs, each a two-digit edit whose answer is coded into
// the 22-character string of BD8RESP.NuRespostaPesquisa (ugPesq.h). Showing it shows the stored answers;
// leaving an edit with a value off the scale is refused and keeps the focus there; OK stores the
// answers, Cancel (Esc) stores nothing. Enter, Page Down and the down arrow move to the next control,
// Page Up and the up arrow to the previous one; leaving question 11 forward goes on to question 12.

#include "entry/EntryForm.h"

#include <QList>
#include <QString>

class QPushButton;
class QWidget;

namespace gdvorn {

class MaskEdit;

class TfmPesq : public EntryForm {
    Q_OBJECT
public:
    explicit TfmPesq(QWidget *parent = nullptr);

    // The answer string being built.
    QString Respostas() const { return m_respostas; }
    void Inicializa_Campos();
    void BtOkClick();

    EntryTabWidget *pcPesquisa = nullptr;
    QWidget *tsAtendimento = nullptr;
    QWidget *tsGdvorn = nullptr;
    QList<MaskEdit *> R; // R[0] is R1
    QPushButton *BtOk = nullptr;
    QPushButton *BtCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    void RespostaExit(MaskEdit *edit);

    QString m_respostas;
};

// Registers the survey as the main window's (hidden) "Pesquisa" command.
void RegistraPesquisa();

} // namespace gdvorn
