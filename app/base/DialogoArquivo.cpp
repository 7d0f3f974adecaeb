#include "app/base/DialogoArquivo.h"

namespace gdvorn {

namespace {

class SemDialogo : public DialogoArquivo {
public:
    QString escolhe(QWidget *, const PedidoArquivo &) override { return QString(); }
};

DialogoArquivo *&instalado()
{
    static DialogoArquivo *d = nullptr;
    return d;
}

} // namespace

DialogoArquivo &dialogoArquivo()
{
    static SemDialogo padrao;
    return instalado() ? *instalado() : padrao;
}

DialogoArquivo *setDialogoArquivo(DialogoArquivo *d)
{
    DialogoArquivo *anterior = instalado();
    instalado() = d;
    return anterior;
}

} // namespace gdvorn
