#include "app/ufmGDVORN.h"

namespace gdvorn {

TfmGDVORN *fmGDVORN = nullptr;

TfmGDVORN::TfmGDVORN(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("fmGDVORN"));
    resize(800, 580);
    setWindowTitle(QStringLiteral("GDVorn%1 - Gerador de Declaração Vorn [Versão: %2] ").arg(AnoBase).arg(Versao));
}

} // namespace gdvorn
