#include "listview/LvTypes.h"

#include <QGuiApplication>
#include <QPalette>

namespace gdvorn::lv {

QColor ResolveColor(LvColor color)
{
    if (color.IsNone())
        return Qt::transparent;
    if (!color.IsSystem()) {
        const std::uint32_t v = color.Value();
        return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    }
    const QPalette palette = QGuiApplication::palette();
    switch (color.Value()) {
    case LvColor::clWindow: return palette.color(QPalette::Active, QPalette::Base);
    case LvColor::clWindowText: return palette.color(QPalette::Active, QPalette::Text);
    case LvColor::clHighlight: return palette.color(QPalette::Active, QPalette::Highlight);
    case LvColor::clHighlightText: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case LvColor::clBtnFace: return palette.color(QPalette::Active, QPalette::Button);
    case LvColor::clBtnText: return palette.color(QPalette::Active, QPalette::ButtonText);
    case LvColor::clBtnShadow: return palette.color(QPalette::Active, QPalette::Mid);
    case LvColor::clBtnHighlight: return palette.color(QPalette::Active, QPalette::Light);
    case LvColor::cl3DDkShadow: return palette.color(QPalette::Active, QPalette::Shadow);
    case LvColor::cl3DLight: return palette.color(QPalette::Active, QPalette::Midlight);
    case LvColor::clGrayText: return palette.color(QPalette::Disabled, QPalette::Text);
    case LvColor::clInactiveBorder: return palette.color(QPalette::Inactive, QPalette::Window);
    default: return palette.color(QPalette::Active, QPalette::Window);
    }
}

} // namespace gdvorn::lv
