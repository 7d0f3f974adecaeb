#include "app/ufmSplash.h"

#include <QFont>
#include <QFontMetrics>
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
    // Each line in a font as large as its share of the height allows, smaller where the picture is too narrow
    // for it, so that no line is cut at the sides.
    const auto linha = [&](const QString &texto, int pontos, bool negrito, const QRect &area) {
        f.setBold(negrito);
        for (f.setPointSize(pontos); f.pointSize() > 6; f.setPointSize(f.pointSize() - 1))
            if (QFontMetrics(f).horizontalAdvance(texto) <= area.width() - 8)
                break;
        g.setFont(f);
        g.drawText(area, Qt::AlignCenter, texto);
    };
    linha(QStringLiteral("GDVORN 2010"), altura * 28 / 251, true, QRect(0, altura * 40 / 251, largura, altura * 100 / 251));
    linha(QStringLiteral("Gerador de Declaração Vorn"), altura * 11 / 251, false,
          QRect(0, altura * 140 / 251, largura, altura * 60 / 251));
    return p;
}

TfmSplash::TfmSplash() : QSplashScreen(FiguraPrograma(386, 251))
{
    setObjectName(QStringLiteral("fmSplash"));
}

} // namespace gdvorn
