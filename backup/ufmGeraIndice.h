#pragma once
// The index-rebuild window "Indexar Arquivos": "&Iniciar" rebuilds every index in its fixed order over
// the program's data modules (GeraIndices), with the progress bar, then says how it went and closes.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace gdvorn {

class TfmGeraIndice : public QDialog {
    Q_OBJECT
public:
    explicit TfmGeraIndice(QWidget *parent = nullptr);

protected:
    void reject() override;

private:
    void bbIniciarClick();

    QLabel *laIndexar = nullptr;
    QProgressBar *prIndexar = nullptr;
    QPushButton *bbIniciar = nullptr;
    QPushButton *bbCancel = nullptr;
};

} // namespace gdvorn
