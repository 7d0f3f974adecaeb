#pragma once
// The list view's binary stream: items, groups and columns write themselves into a block that reads back
// into the same classes, states, captions, widths and positions, and the control writes its view, groups
// and columns.
//
// All integers are little-endian. A short text is an int32 length and that many 8-bit bytes (the class
// names); a wide text an int32 length n and n UTF-16 code units.
//
// Collection block: int32 version (6), int32 count, then per entry the class name (from version 5 on) and
// the object's record. Object record: int32 marker 0x00CEFEFF, int32 record version (6), the state word
// masked with Checked, Enabled, Selected, Visible and Bold; then the class's own part (a column's fields,
// a group's items as a nested block), the control's stream event for the kind (whatever its handler writes
// or reads lies here), and last the stored data (captions, details, image and overlay indexes, and for
// items group keys and state image indexes). A record without the marker is one of version 2: its first
// four bytes are read again as the state word and what follows.
//
// Reading fails with EReadError ("Stream read error") when the stream ends early, and also, before
// anything is allocated for it, on a negative count or length or one the bytes left cannot hold; what
// was read before stays. A class name that is not registered stops the read with ELvAssertion.

#include "listview/LvCollection.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <functional>
#include <stdexcept>
#include <type_traits>

class QIODevice;

namespace gdvorn::lv {

// The stream ended early, or holds a count, a length or a value it cannot hold.
class EReadError : public std::runtime_error {
public:
    EReadError() : std::runtime_error("Stream read error") {}
};

// The device took fewer bytes than it was given.
class EWriteError : public std::runtime_error {
public:
    EWriteError() : std::runtime_error("Stream write error") {}
};

// A little-endian reader and writer over a device; the stream events hand it to their handlers.
class LvStream {
public:
    explicit LvStream(QIODevice &device) : device_(device) {}
    QIODevice &Device() const { return device_; }

    std::int32_t ReadInteger();
    std::uint8_t ReadByte();
    std::uint16_t ReadWord();
    QByteArray ReadString();
    QString ReadWideString();
    // A count of elements of at least `minimumSize` bytes each that are about to be read.
    std::int32_t ReadCount(int minimumSize);
    // The next int32 when it equals `value` (consumed), else nothing read.
    bool ReadIntegerIf(std::int32_t value);
    qint64 BytesLeft() const;

    void WriteInteger(std::int32_t value);
    void WriteByte(std::uint8_t value);
    void WriteWord(std::uint16_t value);
    void WriteString(QByteArrayView text);
    void WriteWideString(const QString &text);

private:
    void Read(char *data, qint64 size);
    void Write(const char *data, qint64 size);

    QIODevice &device_;
};

inline constexpr std::int32_t LvStreamVersion = 6;
inline constexpr std::int32_t LvStreamMarker = 0x00CEFEFF;
// The state bits a record keeps: Checked, Enabled, Selected, Visible, Bold.
inline constexpr std::uint16_t LvStreamStateMask = 0x2C81;
inline constexpr char LvStreamUnregisteredClass[] =
    "If using custom item types for Item, Groups or Columns you must register them with the streaming system "
    "with RegisterClass(TMyLvClassItemType)";

// The classes the reader makes by name. The component's thirteen are there before the first read; an
// application registers its own item, group and column classes the same way. Registering a name again
// replaces its entry.
enum class TLvStreamKind : std::uint8_t { Item, Group, Column };
struct TLvStreamClass {
    QByteArray Name;
    TLvStreamKind Kind;
    // A new object of the class in the collection (not yet added to it).
    std::function<TLvCollectionItem *(TLvCollection &)> Create;
};
void RegisterLvStreamClass(TLvStreamClass streamClass);
const TLvStreamClass *FindLvStreamClass(QByteArrayView name);
// The registered names, in registration order.
QList<QByteArray> LvStreamClassNames();

// The registry's entry for a class of the component or of the application.
template <class T> TLvStreamClass LvStreamClassOf(const char *name)
{
    static_assert(std::is_base_of_v<TLvItem, T> || std::is_base_of_v<TLvGroup, T> || std::is_base_of_v<TLvColumn, T>);
    // Each kind's objects are made in their own collection class.
    using Owner = std::conditional_t<std::is_base_of_v<TLvItem, T>, TLvItems,
                                     std::conditional_t<std::is_base_of_v<TLvGroup, T>, TLvGroups, TLvColumns>>;
    const TLvStreamKind kind = std::is_base_of_v<TLvItem, T>    ? TLvStreamKind::Item
                               : std::is_base_of_v<TLvGroup, T> ? TLvStreamKind::Group
                                                                : TLvStreamKind::Column;
    return {QByteArray(name), kind,
            [](TLvCollection &collection) -> TLvCollectionItem * { return new T(static_cast<Owner *>(&collection)); }};
}

template <class T> void RegisterLvStreamClass(const char *name) { RegisterLvStreamClass(LvStreamClassOf<T>(name)); }

// A collection block: WriteItems writes every object in list order; ReadItems first frees every object
// of the collection, then reads the block (the last class read stays the collection's class for Add).
void WriteItems(TLvCollection &collection, LvStream &stream);
void ReadItems(TLvCollection &collection, LvStream &stream);

} // namespace gdvorn::lv
