#pragma once
// The splash window: borderless, teal, 386 by 251 pixels with one centred picture, in the centre of the
// screen, shown while the program starts.

#include <QSplashScreen>

namespace gdvorn {

class TfmSplash : public QSplashScreen {
    Q_OBJECT
public:
    TfmSplash();
};

} // namespace gdvorn
