#pragma once
// The main window of the program.

#include <QMainWindow>

namespace gdvorn {

class TfmGDVORN : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmGDVORN(QWidget *parent = nullptr);

    int AnoBase = 2010;
    QString Versao = QStringLiteral("2010.01.03");
};

extern TfmGDVORN *fmGDVORN;

} // namespace gdvorn
