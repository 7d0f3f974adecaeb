#include "app/ufmSplash.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace gdvorn {

QPixmap FiguraPrograma(int largura, int altura)
{
    QPixmap p(largura, altura);
    p.fill(QColor(0, 128, 128));
    QPainter g(&p);
    g.setPen(Qt::white);
    QFont f = g.font();
    f.setPointSize(altura * 28 / 251);
    f.setBold(true);
    g.setFont(f);
    g.drawText(QRect(0, altura * 40 / 251, largura, altura * 100 / 251), Qt::AlignCenter, QStringLiteral("GDVORN 2010"));
    f.setPointSize(altura * 11 / 251);
    f.setBold(false);
    g.setFont(f);
    g.drawText(QRect(0, altura * 140 / 251, largura, altura * 60 / 251), Qt::AlignCenter,
               QStringLiteral("Gerador de Declaração Vorn"));
    return p;
}

TfmSplash::TfmSplash() : QSplashScreen(FiguraPrograma(386, 251))
{
    setObjectName(QStringLiteral("fmSplash"));
}

} // namespace gdvorn
