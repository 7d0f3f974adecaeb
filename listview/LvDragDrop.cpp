#include "listview/LvDragDrop.h"

#include <QDataStream>
#include <QIODevice>
#include <QGuiApplication>
#include <QStyleHints>

namespace gdvorn::lv {

Qt::DropAction DropEffectToAction(TCommonDropEffect effect)
{
    switch (effect) {
    case TCommonDropEffect::cdeCopy: return Qt::CopyAction;
    case TCommonDropEffect::cdeMove: return Qt::MoveAction;
    case TCommonDropEffect::cdeLink: return Qt::LinkAction;
    default: return Qt::IgnoreAction;
    }
}

Qt::DropActions DropEffectsToActions(TCommonDropEffects effects)
{
    Qt::DropActions a;
    for (TCommonDropEffect e : {TCommonDropEffect::cdeCopy, TCommonDropEffect::cdeMove, TCommonDropEffect::cdeLink})
        if (effects & DropEffectBit(e))
            a |= DropEffectToAction(e);
    return a;
}

TCommonDropEffects DropEffectsFromActions(Qt::DropActions actions)
{
    TCommonDropEffects e = 0;
    if (actions & Qt::CopyAction)
        e |= DropEffectBit(TCommonDropEffect::cdeCopy);
    if (actions & Qt::MoveAction)
        e |= DropEffectBit(TCommonDropEffect::cdeMove);
    if (actions & Qt::LinkAction)
        e |= DropEffectBit(TCommonDropEffect::cdeLink);
    return e ? e : DropEffectBit(TCommonDropEffect::cdeNone);
}

bool DragThresholdCrossed(QPoint press, QPoint now)
{
    const int distance = QGuiApplication::styleHints()->startDragDistance();
    return (now - press).manhattanLength() >= distance;
}

QByteArray DragRecord(const void *control, const void *object)
{
    QByteArray record;
    QDataStream s(&record, QIODevice::WriteOnly);
    s << quint64(reinterpret_cast<quintptr>(control)) << quint64(reinterpret_cast<quintptr>(object));
    return record;
}

bool ReadDragRecord(const QByteArray &record, quintptr &control, quintptr &object)
{
    if (record.size() != 16)
        return false;
    QDataStream s(record);
    quint64 a = 0, b = 0;
    s >> a >> b;
    control = quintptr(a);
    object = quintptr(b);
    return s.status() == QDataStream::Ok;
}

int TLvInsertMark::Place(const LvRect &item, QPoint p, TLvInsertMarkerDir dir, int range, int width, bool center,
                         LvRect &bar)
{
    const int thickness = 3 * width;
    const int x = p.x(), y = p.y();
    bar = {};
    int position = 0;
    if (dir == TLvInsertMarkerDir::dmdVert) {
        if (x >= item.left && x <= item.left + range) {
            bar = {item.left, item.top, item.left + thickness, item.bottom};
            if (center)
                bar = bar.Translated(-bar.Width() / 2, 0);
            position = 1;
        } else if (x >= item.right - range && x <= item.right) {
            bar = {item.right - thickness, item.top, item.right, item.bottom};
            if (center)
                bar = bar.Translated(bar.Width() / 2, 0);
            position = 2;
        }
    } else {
        if (y >= item.top && y <= item.top + range) {
            bar = {item.left, item.top, item.right, item.top + thickness};
            if (center)
                bar = bar.Translated(0, -bar.Height() / 2);
            position = 1;
        } else if (y >= item.bottom - range && y <= item.bottom) {
            bar = {item.left, item.bottom - thickness, item.right, item.bottom};
            if (center)
                bar = bar.Translated(0, bar.Height() / 2);
            position = 2;
        }
    }
    return position;
}

TLvInsertMarkerDir InsertMarkDirection(TLvListStyle view)
{
    switch (view) {
    case TLvListStyle::elsIcon:
    case TLvListStyle::elsThumbnail:
    case TLvListStyle::elsTile:
    case TLvListStyle::elsFilmStrip: return TLvInsertMarkerDir::dmdVert;
    default: return TLvInsertMarkerDir::dmdHorz;
    }
}

} // namespace gdvorn::lv
