// The stream reader and writer, the class registry, the records of items, groups and columns and the
// control's own stream.

#include "listview/LvStream.h"

#include "listview/ListviewCore.h"
#include "listview/LvGroupColumnData.h"

#include <QIODevice>
#include <QSysInfo>
#include <QtEndian>

#include <deque>

namespace gdvorn::lv {

// ---------------------------------------------------------------------------------------------------
// LvStream

void LvStream::Read(char *data, qint64 size)
{
    if (size > 0 && device_.read(data, size) != size)
        throw EReadError();
}

void LvStream::Write(const char *data, qint64 size)
{
    if (size > 0 && device_.write(data, size) != size)
        throw EWriteError();
}

qint64 LvStream::BytesLeft() const { return device_.bytesAvailable(); }

std::int32_t LvStream::ReadInteger()
{
    char b[4];
    Read(b, 4);
    return qFromLittleEndian<std::int32_t>(b);
}

std::uint8_t LvStream::ReadByte()
{
    char b;
    Read(&b, 1);
    return std::uint8_t(b);
}

std::uint16_t LvStream::ReadWord()
{
    char b[2];
    Read(b, 2);
    return qFromLittleEndian<std::uint16_t>(b);
}

std::int32_t LvStream::ReadCount(int minimumSize)
{
    const std::int32_t n = ReadInteger();
    // Checked before anything is made for it: a damaged or foreign stream must not make us allocate
    // what it claims.
    if (n < 0 || qint64(n) * minimumSize > BytesLeft())
        throw EReadError();
    return n;
}

QByteArray LvStream::ReadString()
{
    const std::int32_t n = ReadCount(1);
    QByteArray text(n, Qt::Uninitialized);
    Read(text.data(), n);
    return text;
}

QString LvStream::ReadWideString()
{
    const std::int32_t n = ReadCount(2);
    QString text(n, Qt::Uninitialized);
    Read(reinterpret_cast<char *>(text.data()), qint64(n) * 2);
    if constexpr (QSysInfo::ByteOrder != QSysInfo::LittleEndian)
        for (QChar &c : text)
            c = QChar(qFromLittleEndian<quint16>(quint16(c.unicode())));
    return text;
}

bool LvStream::ReadIntegerIf(std::int32_t value)
{
    char b[4];
    if (device_.peek(b, 4) != 4 || qFromLittleEndian<std::int32_t>(b) != value)
        return false;
    Read(b, 4);
    return true;
}

void LvStream::WriteInteger(std::int32_t value)
{
    char b[4];
    qToLittleEndian(value, b);
    Write(b, 4);
}

void LvStream::WriteByte(std::uint8_t value)
{
    const char b = char(value);
    Write(&b, 1);
}

void LvStream::WriteWord(std::uint16_t value)
{
    char b[2];
    qToLittleEndian(value, b);
    Write(b, 2);
}

void LvStream::WriteString(QByteArrayView text)
{
    WriteInteger(std::int32_t(text.size()));
    Write(text.data(), text.size());
}

void LvStream::WriteWideString(const QString &text)
{
    WriteInteger(std::int32_t(text.size()));
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        Write(reinterpret_cast<const char *>(text.utf16()), qint64(text.size()) * 2);
    } else {
        for (QChar c : text)
            WriteWord(c.unicode());
    }
}

// ---------------------------------------------------------------------------------------------------
// The class registry

namespace {

// The base classes of the three kinds keep no data of their own: an object read under one of these names
// has empty captions, no images and no details.
template <class Base> class TLvBare : public Base {
public:
    using Base::Base;
    const char *ClassName() const override
    {
        return std::is_same_v<Base, TLvItem> ? "TLvItem" : std::is_same_v<Base, TLvGroup> ? "TLvGroup" : "TLvColumn";
    }
    QString Captions(int) const override { return {}; }
    void SetCaptions(int, const QString &) override {}
    int ImageIndexes(int) const override { return -1; }
    void SetImageIndexes(int, int) override {}
    int ImageOverlayIndexes(int) const override { return -1; }
    void SetImageOverlayIndexes(int, int) override {}
    int DetailCount() const override { return 0; }
    void SetDetailCount(int) override {}
    int Details(int) const override { return 0; }
    void SetDetails(int, int) override {}
};

class TLvItemBare final : public TLvBare<TLvItem> {
public:
    using TLvBare<TLvItem>::TLvBare;
    int StateImageIndexes(int) const override { return -1; }
    void SetStateImageIndexes(int, int) override {}
    std::uint32_t GroupKey(int) const override { return 0xFFFF; }
    void SetGroupKey(int, std::uint32_t) override {}
};

// Entries keep their place when others are added (a found entry stays valid).
struct Registry {
    std::deque<TLvStreamClass> classes;

    Registry()
    {
        // The component's classes, in the order it has always registered them.
        Add(LvStreamClassOf<TLvBare<TLvGroup>>("TLvGroup"));
        Add(LvStreamClassOf<TLvGroupVirtual>("TLvGroupVirtual"));
        Add(LvStreamClassOf<TLvGroupInterfaced>("TLvGroupInterfaced"));
        Add(LvStreamClassOf<TLvGroupStored>("TLvGroupStored"));
        Add(LvStreamClassOf<TLvGroupTaskPanel>("TLvGroupTaskPanel"));
        Add(LvStreamClassOf<TLvItemBare>("TLvItem"));
        Add(LvStreamClassOf<TLvItemVirtual>("TLvItemVirtual"));
        Add(LvStreamClassOf<TLvItemInterfaced>("TLvItemInterfaced"));
        Add(LvStreamClassOf<TLvItemStored>("TLvItemStored"));
        Add(LvStreamClassOf<TLvBare<TLvColumn>>("TLvColumn"));
        Add(LvStreamClassOf<TLvColumnVirtual>("TLvColumnVirtual"));
        Add(LvStreamClassOf<TLvColumnInterfaced>("TLvColumnInterfaced"));
        Add(LvStreamClassOf<TLvColumnStored>("TLvColumnStored"));
    }
    void Add(TLvStreamClass streamClass)
    {
        for (TLvStreamClass &c : classes)
            if (c.Name == streamClass.Name) {
                c = std::move(streamClass);
                return;
            }
        classes.push_back(std::move(streamClass));
    }
};

// Filled the first time anything is registered or looked up, so before the first read.
Registry &TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

void RegisterLvStreamClass(TLvStreamClass streamClass) { TheRegistry().Add(std::move(streamClass)); }

const TLvStreamClass *FindLvStreamClass(QByteArrayView name)
{
    for (const TLvStreamClass &c : TheRegistry().classes)
        if (c.Name == name)
            return &c;
    return nullptr;
}

QList<QByteArray> LvStreamClassNames()
{
    QList<QByteArray> names;
    for (const TLvStreamClass &c : TheRegistry().classes)
        names << c.Name;
    return names;
}

// ---------------------------------------------------------------------------------------------------
// Collection blocks

namespace {

// Makes `streamClass` the class the collection's Add creates; a class of another kind than the
// collection's objects cannot be read into it.
void SetCollectionClass(TLvCollection &collection, const TLvStreamClass &streamClass)
{
    auto create = streamClass.Create;
    if (auto *items = dynamic_cast<TLvItems *>(&collection); items && streamClass.Kind == TLvStreamKind::Item)
        items->SetItemClass([create](TLvItems *c) { return static_cast<TLvItem *>(create(*c)); });
    else if (auto *groups = dynamic_cast<TLvGroups *>(&collection); groups && streamClass.Kind == TLvStreamKind::Group)
        groups->SetItemClass([create](TLvGroups *c) { return static_cast<TLvGroup *>(create(*c)); });
    else if (auto *columns = dynamic_cast<TLvColumns *>(&collection);
             columns && streamClass.Kind == TLvStreamKind::Column)
        columns->SetItemClass([create](TLvColumns *c) { return static_cast<TLvColumn *>(create(*c)); });
    else
        throw EReadError();
}

TLvCollectionItem *AddTo(TLvCollection &collection)
{
    if (auto *columns = dynamic_cast<TLvColumns *>(&collection))
        return columns->Add(nullptr);
    return collection.AddItem(nullptr);
}

} // namespace

void WriteItems(TLvCollection &collection, LvStream &stream)
{
    stream.WriteInteger(LvStreamVersion);
    stream.WriteInteger(collection.Count());
    for (int i = 0; i < collection.Count(); ++i) {
        TLvCollectionItem *item = collection.Item(i);
        stream.WriteString(item->ClassName());
        item->SaveToStream(stream, LvStreamVersion);
    }
}

void ReadItems(TLvCollection &collection, LvStream &stream)
{
    // Laid out once, when the block has been read (or reading failed).
    LvUpdateBracket bracket(*collection.OwnerListview());
    collection.Clear(true);
    const std::int32_t version = stream.ReadInteger();
    const bool named = version >= 5;
    // Every entry holds at least its state word, and from version 5 on a class name's length before it.
    const std::int32_t count = stream.ReadCount(named ? 6 : 2);
    for (std::int32_t i = 0; i < count; ++i) {
        if (named) {
            const QByteArray name = stream.ReadString();
            const TLvStreamClass *streamClass = FindLvStreamClass(name);
            if (!streamClass)
                throw ELvAssertion(QString::fromLatin1(LvStreamUnregisteredClass));
            SetCollectionClass(collection, *streamClass);
        }
        TLvCollectionItem *item = AddTo(collection);
        if (!item)
            throw EReadError();
        // Each record starts from the block's version; what one record reads does not reach the next.
        int recordVersion = version;
        item->LoadFromStream(stream, recordVersion);
    }
}

// ---------------------------------------------------------------------------------------------------
// Records

void TLvDynamicDataHelper::SaveToStream(LvStream &s, bool itemArrays) const
{
    const auto ints = [&s](const auto &values) {
        s.WriteInteger(std::int32_t(values.size()));
        for (const auto v : values)
            s.WriteInteger(std::int32_t(v));
    };
    s.WriteInteger(std::int32_t(captions_.size()));
    for (const QString &caption : captions_)
        s.WriteWideString(caption);
    ints(details_);
    ints(images_);
    ints(overlays_);
    if (itemArrays) {
        ints(groupKeys_);
        ints(stateImages_);
    }
}

void TLvDynamicDataHelper::LoadFromStream(LvStream &s, int version, bool itemArrays)
{
    // Each array is replaced element by element, so a stream that ends early leaves what was read.
    const auto ints = [&s](auto &values) {
        using T = typename std::decay_t<decltype(values)>::value_type;
        const std::int32_t n = s.ReadCount(4);
        values.clear();
        for (std::int32_t i = 0; i < n; ++i)
            values.push_back(T(s.ReadInteger()));
    };
    const std::int32_t n = s.ReadCount(4);
    captions_.clear();
    for (std::int32_t i = 0; i < n; ++i)
        captions_.push_back(s.ReadWideString());
    ints(details_);
    ints(images_);
    ints(overlays_);
    if (itemArrays) {
        ints(groupKeys_);
        if (version > 2)
            ints(stateImages_);
    }
}

void TLvCollectionItem::SaveToStream(LvStream &s, int)
{
    s.WriteInteger(LvStreamMarker);
    s.WriteInteger(LvStreamVersion);
    s.WriteWord(std::uint16_t(state_ & LvStreamStateMask));
}

void TLvCollectionItem::LoadFromStream(LvStream &s, int &version)
{
    // Records written before the marker existed start with their state word.
    version = s.ReadIntegerIf(LvStreamMarker) ? s.ReadInteger() : 2;
    const std::uint16_t state = s.ReadWord();
    // Selected first, while the object is still visible and enabled.
    SetSelected(state & cisSelected);
    SetEnabled(state & cisEnabled);
    SetVisible(state & cisVisible);
    SetChecked(state & cisChecked);
    SetBold(state & cisBold);
}

void TLvItem::SaveToStream(LvStream &s, int)
{
    TLvCollectionItem::SaveToStream(s, LvStreamVersion);
    if (OwnerListview()->OnItemSaveToStream)
        OwnerListview()->OnItemSaveToStream(this, s, LvStreamVersion);
}

void TLvItem::LoadFromStream(LvStream &s, int &version)
{
    TLvCollectionItem::LoadFromStream(s, version);
    if (OwnerListview()->OnItemLoadFromStream)
        OwnerListview()->OnItemLoadFromStream(this, s, version);
}

void TLvGroup::SaveToStream(LvStream &s, int)
{
    TLvCollectionItem::SaveToStream(s, LvStreamVersion);
    WriteItems(*items_, s);
    if (OwnerListview()->OnGroupSaveToStream)
        OwnerListview()->OnGroupSaveToStream(this, s, LvStreamVersion);
}

void TLvGroup::LoadFromStream(LvStream &s, int &version)
{
    TLvCollectionItem::LoadFromStream(s, version);
    ReadItems(*items_, s);
    if (OwnerListview()->OnGroupLoadFromStream)
        OwnerListview()->OnGroupLoadFromStream(this, s, version);
}

void TLvColumn::SaveToStream(LvStream &s, int)
{
    TLvCollectionItem::SaveToStream(s, LvStreamVersion);
    s.WriteByte(std::uint8_t(alignment_));
    s.WriteByte(autoSizeOnDblClk_);
    s.WriteByte(autoSortOnClick_);
    s.WriteByte(autoSpring_);
    s.WriteByte(autoToggleSortGlyph_);
    s.WriteInteger(position_);
    s.WriteByte(std::uint8_t(sortDirection_));
    s.WriteByte(streamReserved_);
    s.WriteByte(clickable_);
    s.WriteInteger(width_);
    s.WriteInteger(std::int32_t(bkGndColor_.Value()));
    s.WriteByte(dropDown_.AlwaysShow());
    s.WriteByte(dropDown_.Enabled());
    s.WriteByte(dropDown_.AlwaysShow());
    s.WriteByte(dropDown_.State());
    s.WriteByte(dropDown_.Visible());
    if (OwnerListview()->OnColumnSaveToStream)
        OwnerListview()->OnColumnSaveToStream(this, s, LvStreamVersion);
}

void TLvColumn::LoadFromStream(LvStream &s, int &version)
{
    TLvCollectionItem::LoadFromStream(s, version);
    alignment_ = TAlignment(s.ReadByte());
    autoSizeOnDblClk_ = s.ReadByte() != 0;
    if (version > 1)
        autoSortOnClick_ = s.ReadByte() != 0;
    autoSpring_ = s.ReadByte() != 0;
    autoToggleSortGlyph_ = s.ReadByte() != 0;
    position_ = s.ReadInteger();
    sortDirection_ = TLvSortDirection(s.ReadByte());
    streamReserved_ = s.ReadByte();
    clickable_ = s.ReadByte() != 0;
    width_ = s.ReadInteger();
    if (version > 5) {
        bkGndColor_ = LvColor(std::uint32_t(s.ReadInteger()));
        dropDown_.SetAlwaysShow(s.ReadByte() != 0);
        dropDown_.SetEnabled(s.ReadByte() != 0);
        // The third byte repeats AlwaysShow and is the one that counts.
        dropDown_.SetAlwaysShow(s.ReadByte() != 0);
        dropDown_.SetState(s.ReadByte());
        dropDown_.SetVisible(s.ReadByte() != 0);
    }
    if (OwnerListview()->OnColumnLoadFromStream)
        OwnerListview()->OnColumnLoadFromStream(this, s, version);
}

namespace {

// A stored class's record: its base class's record, then the stored data.
template <class Base> void SaveStored(Base &object, const TLvDynamicDataHelper &data, LvStream &s, bool itemArrays)
{
    object.Base::SaveToStream(s, LvStreamVersion);
    data.SaveToStream(s, itemArrays);
}

template <class Base>
void LoadStored(Base &object, TLvDynamicDataHelper &data, LvStream &s, int &version, bool itemArrays)
{
    object.Base::LoadFromStream(s, version);
    data.LoadFromStream(s, version, itemArrays);
}

} // namespace

void TLvItemStored::SaveToStream(LvStream &s, int) { SaveStored<TLvItem>(*this, data_, s, true); }
void TLvItemStored::LoadFromStream(LvStream &s, int &version) { LoadStored<TLvItem>(*this, data_, s, version, true); }
void TLvGroupStored::SaveToStream(LvStream &s, int) { SaveStored<TLvGroup>(*this, data_, s, false); }
void TLvGroupStored::LoadFromStream(LvStream &s, int &version) { LoadStored<TLvGroup>(*this, data_, s, version, false); }
void TLvColumnStored::SaveToStream(LvStream &s, int) { SaveStored<TLvColumn>(*this, data_, s, false); }
void TLvColumnStored::LoadFromStream(LvStream &s, int &version)
{
    LoadStored<TLvColumn>(*this, data_, s, version, false);
}
// A task-panel group's height follows everything else.
void TLvGroupTaskPanel::SaveToStream(LvStream &s, int)
{
    SaveStored<TLvGroup>(*this, data_, s, false);
    s.WriteInteger(height_);
}
void TLvGroupTaskPanel::LoadFromStream(LvStream &s, int &version)
{
    LoadStored<TLvGroup>(*this, data_, s, version, false);
    height_ = s.ReadInteger();
}

// ---------------------------------------------------------------------------------------------------
// The control

void ListviewCore::SaveToStream(LvStream &s)
{
    s.WriteInteger(LvStreamVersion);
    s.WriteByte(std::uint8_t(view_));
    if (groups_->StreamGroups())
        WriteItems(*groups_, s);
    if (header_->StreamColumns())
        WriteItems(header_->Columns(), s);
}

void ListviewCore::LoadFromStream(LvStream &s)
{
    // The bracket's EndUpdate lays out what was read, also when reading fails.
    LvUpdateBracket bracket(*this);
    if (s.ReadInteger() <= 0)
        return;
    const std::uint8_t view = s.ReadByte();
    if (view > std::uint8_t(TLvListStyle::elsGrid))
        throw EReadError();
    SetView(TLvListStyle(view));
    if (groups_->StreamGroups())
        ReadItems(*groups_, s);
    if (header_->StreamColumns())
        ReadItems(header_->Columns(), s);
}

} // namespace gdvorn::lv
