// The background manager: picture, tiles, blends and caption.

#include "listview/LvBackground.h"

#include "listview/ListviewCore.h"

#include <QPainter>

namespace gdvorn::lv {

namespace {

// Restores the painter's state on every exit.
class PainterState {
public:
    explicit PainterState(QPainter &p) : p_(p) { p_.save(); }
    ~PainterState() { p_.restore(); }
    PainterState(const PainterState &) = delete;
    PainterState &operator=(const PainterState &) = delete;

private:
    QPainter &p_;
};

// The picture with every pixel of its transparent colour (the bottom-left pixel's) left out.
QImage WithoutTransparentColor(const QImage &image)
{
    QImage copy = image.convertToFormat(QImage::Format_ARGB32);
    const std::uint32_t key = copy.pixel(0, copy.height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < copy.height(); ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            if ((row[x] & 0x00FFFFFFu) == key)
                row[x] = 0;
    }
    return copy;
}

} // namespace

TLvBackgroundManager::TLvBackgroundManager(ListviewCore *owner) : TLvOwnedPersistent(owner) {}

TLvBackgroundManager::~TLvBackgroundManager() = default;

void TLvBackgroundManager::Invalidate()
{
    if (owner_)
        owner_->Invalidate();
}

void TLvBackgroundManager::SetImage(const QImage &image)
{
    image_ = image.convertToFormat(QImage::Format_ARGB32);
    Invalidate();
}

void TLvBackgroundManager::SetAlphaImage(const QImage &image)
{
    alphaImage_ = image.convertToFormat(QImage::Format_ARGB32);
    Invalidate();
}

void TLvBackgroundManager::Assign(const TLvBackgroundManager &source)
{
    SetImage(source.Image());
    SetEnabled(source.Enabled());
    SetOffsetX(source.OffsetX());
    SetOffsetY(source.OffsetY());
    SetTile(source.Tile());
}

void TLvBackgroundManager::AssignTo(TLvBackgroundManager &destination) const { destination.Assign(*this); }

int TLvBackgroundManager::TileOrigin(int offset, int size)
{
    const int origin = offset % size; // truncates toward zero, as the layouts' arithmetic does
    return offset > 0 ? origin - size : origin;
}

QImage TLvBackgroundManager::SourceImage() const
{
    if (!AlphaBlend())
        return image_;
    if (BlendMode() == TCommonBlendMode::cbmConstantAlphaAndColor)
        return TintedImage(image_, BlendAlpha(), owner_->Color());
    QImage copy = image_;
    if (alphaImage_.size() == image_.size())
        gdvorn::lv::AlphaBlend(&alphaImage_, copy, {0, 0, copy.width(), copy.height()}, 0, BlendAlpha(), BlendMode(),
                               {});
    return copy;
}

void TLvBackgroundManager::Paint(LvCanvas &canvas, const LvRect &rect, bool fill)
{
    bool doDefault = true;
    if (owner_->OnPaintBkGnd)
        owner_->OnPaintBkGnd(canvas, rect, &blender_, doDefault);
    if (!doDefault || !canvas.painter)
        return;
    QPainter &p = *canvas.painter;
    if (Enabled() && !image_.isNull()) {
        p.fillRect(rect.ToQRect(), ResolveColor(owner_->Color()));
        const QImage source = Transparent() ? WithoutTransparentColor(SourceImage()) : SourceImage();
        const int w = source.width(), h = source.height();
        // Tiles are laid out from the moved origin while the rectangle stays in window coordinates: the
        // rectangle is grown by a tile on each side so that no tile it shows is missed.
        const LvRect grown = rect.Inflated(w, h);
        PainterState state(p);
        if (Tile()) {
            p.translate(TileOrigin(OffsetX(), w), TileOrigin(OffsetY(), h));
            const int rows = owner_->ClientHeight() / h + 2, columns = owner_->ClientWidth() / w + 2;
            for (int row = 0; row < rows; ++row)
                for (int column = 0; column < columns; ++column) {
                    const LvRect tile(column * w, row * h, column * w + w, row * h + h);
                    if (tile.Intersects(grown))
                        p.drawImage(tile.left, tile.top, source);
                }
        } else {
            p.translate(OffsetX(), OffsetY());
            p.drawImage(0, 0, source);
        }
    } else if (fill) {
        p.fillRect(rect.ToQRect(), ResolveColor(owner_->Color()));
    }
    PaintCaption(canvas, rect);
}

void TLvBackgroundManager::PaintCaption(LvCanvas &canvas, const LvRect &rect)
{
    if (!CaptionShow() || Caption().isEmpty() || (CaptionShowOnlyWhenEmpty() && owner_->Items().Count() > 0))
        return;
    LvRect client = owner_->ClientRect();
    if (!client.Intersects(rect))
        return;
    client = client.Inflated(-8, -8);
    if (owner_->Header().Visible())
        client.top += owner_->Header().Height();
    canvas.font = owner_->Font();
    canvas.brushClear = true;
    std::uint32_t flags = dtEndEllipsis;
    if (CaptionSingleLine())
        flags |= dtSingleLine;
    switch (CaptionAlignment()) {
    case TAlignment::taLeftJustify: flags |= dtLeft; break;
    case TAlignment::taRightJustify: flags |= dtRight; break;
    case TAlignment::taCenter: flags |= dtCenter; break;
    }
    switch (CaptionVAlignment()) {
    case TCommonVAlignment::cvaTop: flags |= dtTop; break;
    case TCommonVAlignment::cvaBottom: flags |= dtBottom; break;
    case TCommonVAlignment::cvaCenter: flags |= dtVCenter; break;
    }
    DrawTextWide(TextMetrics(*owner_, canvas.font), canvas.painter, canvas.font, ResolveColor(canvas.fontColor),
                 Caption(), client, -1, flags);
}

void TLvBackgroundManager::WindowPosChanging(QSize current, QSize next)
{
    if (!OffsetTrack() || !current.isValid() || !next.isValid())
        return;
    SetOffsetX(OffsetX() + next.width() - current.width());
    SetOffsetY(OffsetY() + next.height() - current.height());
}

// The control's background manager, made at first use.
TLvBackgroundManager &ListviewCore::Background()
{
    if (!background_)
        background_ = std::make_unique<TLvBackgroundManager>(this);
    return *background_;
}

void ListviewCore::SetBackground(std::unique_ptr<TLvBackgroundManager> value)
{
    background_ = std::move(value);
    Invalidate();
}

} // namespace gdvorn::lv
