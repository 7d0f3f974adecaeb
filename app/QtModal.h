#pragma once
// The one way a window of the program is shown modally: ExecutaModal. The program runs the window's own
// modal loop; tests install an executor that drives the window and returns its result, so that no test
// ever waits in a nested modal loop.

#include <functional>

class QDialog;

namespace gdvorn {

// Shows `janela` modally and returns its result (QDialog::exec, or what the installed executor returns).
int ExecutaModal(QDialog &janela);

// Installs an executor; an empty one goes back to QDialog::exec. Returns the one installed before.
std::function<int(QDialog &)> setExecutorModal(std::function<int(QDialog &)> executor);

} // namespace gdvorn
