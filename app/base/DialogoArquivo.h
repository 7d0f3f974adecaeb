#pragma once
// The one way the windows ask for a file name: the program shows a file dialog, tests install a scripted
// answer (as the presenter does for message boxes). Widget-free: the dialog itself is QtDialogoArquivo.

#include <QString>

class QWidget;

namespace gdvorn {

struct PedidoArquivo {
    enum Tipo { Abrir, Salvar };
    Tipo tipo = Abrir;
    QString titulo;
    QString filtro;          // "Descrição|*.EXT", as the windows give it
    QString extensaoPadrao;  // added to a name typed without one (save)
    QString pastaInicial;
    QString nomeInicial;     // a full path; its folder is the starting folder
    bool confirmaSobrescrita = false;
};

class DialogoArquivo {
public:
    virtual ~DialogoArquivo() = default;
    // The chosen file (absolute path), or an empty text when the user cancels.
    virtual QString escolhe(QWidget *pai, const PedidoArquivo &pedido) = 0;
};

// The program-wide file dialog. Without one installed, every request is cancelled.
DialogoArquivo &dialogoArquivo();
// Installs `d` (not owned); nullptr goes back to the default. Returns the one installed before.
DialogoArquivo *setDialogoArquivo(DialogoArquivo *d);

} // namespace gdvorn
