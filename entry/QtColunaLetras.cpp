#include "entry/QtColunaLetras.h"

#include "app/ugExcecao.h"

#include <QButtonGroup>
#include <QToolButton>
#include <QVBoxLayout>

namespace gdvorn {

ColunaLetras::ColunaLetras(QWidget *parent, std::function<void(const QString &)> aoClicar) : QWidget(parent)
{
    setObjectName(QStringLiteral("ColunaLetras"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *grupo = new QButtonGroup(this);
    grupo->setExclusive(true);
    const QStringList letras{QString(),          QStringLiteral("A"),  QStringLiteral("B"),  QStringLiteral("C"),
                             QStringLiteral("D"),  QStringLiteral("EF"), QStringLiteral("GH"), QStringLiteral("IJ"),
                             QStringLiteral("KL"), QStringLiteral("M"),  QStringLiteral("N"),  QStringLiteral("O"),
                             QStringLiteral("PQ"), QStringLiteral("RS"), QStringLiteral("TU"), QStringLiteral("VW"),
                             QStringLiteral("X"),  QStringLiteral("YZ")};
    for (const QString &l : letras) {
        auto *b = new QToolButton(this);
        b->setObjectName(l.isEmpty() ? QStringLiteral("SbTodos") : QStringLiteral("Sb") + l);
        // The button of every letter says so: without a caption a flat button vanishes once released.
        b->setText(l.isEmpty() ? QStringLiteral("Todos") : l);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        grupo->addButton(b);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, Protegido([aoClicar, l] { aoClicar(l); }));
        if (l.isEmpty())
            SbTodos = b;
    }
    SbTodos->setChecked(true);
    layout->addStretch();
}

} // namespace gdvorn
