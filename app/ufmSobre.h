#pragma once
// The about box: the program's picture and title, its build date (the date of the program file), the
// environment, the version, the service's address and, behind Ctrl and a key sequence, the credits
// marquee that a 100 ms timer rotates.

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace gdvorn {

class TfmSobre : public QDialog {
    Q_OBJECT
public:
    // `arquivoPrograma`: the program file whose date is the build date (the running executable when empty).
    explicit TfmSobre(QWidget *parent = nullptr, const QString &arquivoPrograma = QString());

    QLabel *Imagem1 = nullptr;   // the picture
    QLabel *Imagem2 = nullptr;   // the credits picture, hidden until the sequence is typed
    QLabel *lbBuild = nullptr;
    QLabel *lbAmbiente = nullptr;
    QLabel *lbVersao = nullptr;
    QLabel *lbLetreiro = nullptr; // the marquee
    QLabel *URLLabel = nullptr;
    QPushButton *BtOk = nullptr;
    QTimer *Timer1 = nullptr;

    // The position reached in the key sequence (0 to 6).
    int posicaoSequencia() const { return m_posicao; }
    // One tick of the marquee: its first character moves to the end.
    void Timer1Timer();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override; // FormActivate: version label, centred

private:
    void mostraCreditos();
    int m_posicao = 0;
};

} // namespace gdvorn
