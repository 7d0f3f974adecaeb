#pragma once
// The layout of the utility windows that run one task (backup, restore, index rebuild): a read-only
// hint text, a label and a progress bar hidden until the task runs, and the two buttons below, the
// first the default one. No system-menu buttons.

#include <QString>

class QDialog;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace gdvorn {

struct JanelaTarefa {
    QPlainTextEdit *meDicas = nullptr;
    QLabel *rotulo = nullptr;
    QProgressBar *barra = nullptr;
    QPushButton *iniciar = nullptr;
    QPushButton *cancelar = nullptr;
};

struct NomesTarefa {
    QString legenda, dicas;
    QString nomeRotulo, rotulo, nomeBarra;
    QString nomeIniciar, nomeCancelar;
    int largura = 650, altura = 350;
};

JanelaTarefa MontaJanelaTarefa(QDialog *janela, const NomesTarefa &nomes);

} // namespace gdvorn
