#include "app/ufmSplash.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace gdvorn {

namespace {

QPixmap figura()
{
    QPixmap p(386, 251);
    p.fill(QColor(0, 128, 128));
    QPainter g(&p);
    g.setPen(Qt::white);
    QFont f = g.font();
    f.setPointSize(28);
    f.setBold(true);
    g.setFont(f);
    g.drawText(QRect(0, 40, 386, 100), Qt::AlignCenter, QStringLiteral("GDVORN 2010"));
    f.setPointSize(11);
    f.setBold(false);
    g.setFont(f);
    g.drawText(QRect(0, 140, 386, 60), Qt::AlignCenter, QStringLiteral("Gerador de Declaração Vorn"));
    return p;
}

} // namespace

TfmSplash::TfmSplash() : QSplashScreen(figura())
{
    setObjectName(QStringLiteral("fmSplash"));
}

} // namespace gdvorn
