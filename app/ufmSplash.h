#pragma once
// The splash window: borderless, teal, 386 by 251 pixels with one centred picture, in the centre of the
// screen, shown while the program starts.

#include <QSplashScreen>

namespace gdvorn {

// The program's picture, drawn at the given size (the splash and the main window show it).
QPixmap FiguraPrograma(int largura, int altura);

class TfmSplash : public QSplashScreen {
    Q_OBJECT
public:
    TfmSplash();
};

} // namespace gdvorn
