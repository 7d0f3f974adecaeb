#include "app/QtModal.h"

#include <QDialog>

namespace gdvorn {

namespace {
std::function<int(QDialog &)> g_executor;
}

int ExecutaModal(QDialog &janela)
{
    if (g_executor)
        return g_executor(janela);
    return janela.exec();
}

std::function<int(QDialog &)> setExecutorModal(std::function<int(QDialog &)> executor)
{
    auto anterior = std::move(g_executor);
    g_executor = std::move(executor);
    return anterior;
}

} // namespace gdvorn
