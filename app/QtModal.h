#pragma once
// The one way a window of the program is shown modally: ExecutaModal. The program runs the window's own
// modal loop; tests install an executor that drives the window and returns its result, so that no test
// ever waits in a nested modal loop.

#include <QPointer>
#include <QWidget>

#include <functional>

class QDialog;

namespace gdvorn {

// Shows `janela` modally and returns its result (QDialog::exec, or what the installed executor returns).
// Once the program was asked to end (TerminoPedido), the window is not shown: QDialog::Rejected.
int ExecutaModal(QDialog &janela);

// Installs an executor; an empty one goes back to QDialog::exec. Returns the one installed before.
std::function<int(QDialog &)> setExecutorModal(std::function<int(QDialog &)> executor);

// A window that hides itself while the window it opens is shown: hidden from the screen only, so that the
// modal loop it may be running goes on (QWidget::hide would end that loop).
void OcultaJanela(QWidget &janela);

// Hides a window for its own lifetime (OcultaJanela) and then shows it again and activates it, unless the
// window was closed meanwhile or naoVolta() was called.
class OcultaEnquanto {
public:
    explicit OcultaEnquanto(QWidget &janela);
    ~OcultaEnquanto();
    OcultaEnquanto(const OcultaEnquanto &) = delete;
    OcultaEnquanto &operator=(const OcultaEnquanto &) = delete;
    void naoVolta() { m_volta = false; }

private:
    QPointer<QWidget> m_janela;
    bool m_volta = true;
};

} // namespace gdvorn
