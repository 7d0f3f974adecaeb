#pragma once
// The file dialog of the running program.

#include "app/base/DialogoArquivo.h"

namespace gdvorn {

class QtDialogoArquivo : public DialogoArquivo {
public:
    QString escolhe(QWidget *pai, const PedidoArquivo &pedido) override;
};

} // namespace gdvorn
