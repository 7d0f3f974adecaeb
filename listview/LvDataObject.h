#pragma once
// The list view's data object: a container of formats, each with its storage medium, that the
// component's drags carry (the header drag and the item drag) and that a clipboard could carry too.
//
// - A clipboard format is a 16-bit id from a registry of names of our own (RegisterLvClipboardFormat);
//   ids of registered names start at 0xC000, 0 means none. Names compare without regard to case.
// - A format record names a format, an aspect, an index and a set of medium kinds; there is no target
//   device. A medium is one of: a shared byte block (TYMED_HGLOBAL), a file name (TYMED_FILE) or a
//   shared QIODevice (TYMED_ISTREAM, TYMED_ISTORAGE). GDI and metafile kinds have no counterpart here:
//   SetData refuses them with DV_E_TYMED and leaves the stored formats as they were.
// - Data objects live in std::shared_ptr (make them with std::make_shared). A medium's release owner
//   is a shared pointer: GetData hands a stored medium out with the data object as its owner, so a
//   receiver that keeps the medium keeps the object (and the object keeps its own block after the
//   receiver releases the medium). SetData never lets an object own itself.
// - There is no advise holder: the advise calls answer OLE_E_ADVISENOTSUPPORTED.
// - Hooks: a subclass (or the handlers) may add formats to the enumeration, answer queries and supply
//   data for formats that are not stored. TLvDataObjectManager routes them to the control's
//   OnOLEGetCustomFormats, OnOLEQueryData and OnOLEGetData while it is bound to the control.
// - LvMimeData is the QMimeData that Qt's drag and drop carries: it offers each format that the
//   object enumerates with TYMED_HGLOBAL as "application/x-lv-" + the format's name and answers
//   through the object, so the hooks and events run when a drop target asks.
//
// Everything runs on the control's thread, except the format registry, which is thread-safe.

#include <QByteArray>
#include <QImage>
#include <QMimeData>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "listview/LvTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;

namespace gdvorn::lv {

class ListviewCore;

// The answers of the data object's operations (the values are the platform's).
enum class TCommonHResult : std::uint32_t {
    S_OK = 0,
    S_FALSE = 1,
    E_NOTIMPL = 0x80004001,
    E_UNEXPECTED = 0x8000FFFF,
    E_OUTOFMEMORY = 0x8007000E,
    E_INVALIDARG = 0x80070057,
    OLE_E_ADVISENOTSUPPORTED = 0x80040003,
    DV_E_FORMATETC = 0x80040064,
    DV_E_TYMED = 0x80040069,
    DV_E_DVASPECT = 0x8004006B,
};
// The result's name ("S_OK", "DV_E_TYMED", ...; the number in hexadecimal for any other value).
QString CommonHResultName(TCommonHResult result);

// Medium kinds (a set of bits in a format record, one bit in a medium).
enum : std::uint32_t {
    TYMED_NULL = 0,
    TYMED_HGLOBAL = 1,
    TYMED_FILE = 2,
    TYMED_ISTREAM = 4,
    TYMED_ISTORAGE = 8,
    TYMED_GDI = 16,
    TYMED_MFPICT = 32,
    TYMED_ENHMF = 64,
};
enum : std::uint32_t { DVASPECT_CONTENT = 1, DVASPECT_THUMBNAIL = 2, DVASPECT_ICON = 4, DVASPECT_DOCPRINT = 8 };
enum : int { DATADIR_GET = 1, DATADIR_SET = 2 };

// The id of a format name, registered on first use (0 for an empty name or a full registry).
std::uint16_t RegisterLvClipboardFormat(const QString &name);
// The name of a registered id (empty when the id is not registered).
QString LvClipboardFormatName(std::uint16_t format);

struct TFormatEtc {
    std::uint16_t cfFormat = 0;
    std::uint32_t dwAspect = DVASPECT_CONTENT;
    std::int32_t lindex = -1;
    std::uint32_t tymed = TYMED_HGLOBAL;
    bool operator==(const TFormatEtc &) const = default;
};

struct TStgMedium {
    std::uint32_t tymed = TYMED_NULL;
    std::shared_ptr<QByteArray> hGlobal;   // TYMED_HGLOBAL
    QString fileName;                      // TYMED_FILE
    std::shared_ptr<QIODevice> stream;     // TYMED_ISTREAM, TYMED_ISTORAGE
    std::shared_ptr<void> pUnkForRelease;  // the release owner
};
// The receiver's release: the medium forgets its handle and its owner.
void ReleaseStgMedium(TStgMedium &medium);

// An enumerator over a copy of format records.
class TCommonEnumFormatEtc {
public:
    TCommonEnumFormatEtc() = default; // no format array: Next and Skip answer E_UNEXPECTED
    explicit TCommonEnumFormatEtc(std::vector<TFormatEtc> formats);

    // Copies records from the position on into `rgelt` until `celt` are copied or the array ends,
    // advancing the position; S_OK when exactly `celt` were copied, S_FALSE otherwise.
    TCommonHResult Next(std::uint32_t celt, TFormatEtc *rgelt, std::uint32_t *pceltFetched);
    // Moves on by `celt` when that stays within the array (S_OK); otherwise S_FALSE and no move.
    TCommonHResult Skip(std::uint32_t celt);
    TCommonHResult Reset();
    TCommonHResult Clone(std::shared_ptr<TCommonEnumFormatEtc> &enumerator) const;

    std::int32_t Position() const { return position_; }
    const std::vector<TFormatEtc> &Formats() const { return formats_; }

private:
    bool hasFormats_ = false;
    std::vector<TFormatEtc> formats_;
    std::int32_t position_ = 0;
};

class TCommonDataObject : public std::enable_shared_from_this<TCommonDataObject> {
public:
    TCommonDataObject() = default;
    virtual ~TCommonDataObject() = default;
    TCommonDataObject(const TCommonDataObject &) = delete;
    TCommonDataObject &operator=(const TCommonDataObject &) = delete;

    // --- The data object's operations ----------------------------------------------------------------
    // No advise holder exists: OLE_E_ADVISENOTSUPPORTED (the connection and enumerator are cleared).
    virtual TCommonHResult DAdvise(const TFormatEtc &format, std::uint32_t advf, const std::shared_ptr<void> &sink,
                                   std::uint32_t &connection);
    virtual TCommonHResult DUnadvise(std::uint32_t connection);
    virtual TCommonHResult EnumDAdvise(std::shared_ptr<void> &enumerator);
    // DATADIR_GET: an enumerator over the stored formats in storage order, then as the custom-formats
    // hook changes them; any other direction: E_NOTIMPL and no enumerator.
    virtual TCommonHResult EnumFormatEtc(int direction, std::shared_ptr<TCommonEnumFormatEtc> &enumerator);
    virtual TCommonHResult GetCanonicalFormatEtc(const TFormatEtc &in, TFormatEtc &out);
    // The get-data hook first; then the stored entry that matches exactly, handed out by reference,
    // else the extra-data hook.
    virtual TCommonHResult GetData(const TFormatEtc &format, TStgMedium &medium);
    virtual TCommonHResult GetDataHere(const TFormatEtc &format, TStgMedium &medium);
    // The query-data hook first; then the first stored entry of the format decides: another aspect
    // DV_E_DVASPECT, no common medium kind DV_E_TYMED (so it hides a later entry that would fit).
    virtual TCommonHResult QueryGetData(const TFormatEtc &format);
    // Stores the medium for the format (replacing and releasing what was stored for the same record):
    // release true takes the medium as it is, false stores a copy of it.
    virtual TCommonHResult SetData(const TFormatEtc &format, const TStgMedium &medium, bool release);

    // --- Hooks ---------------------------------------------------------------------------------------
    // What the enumerator offers beyond the stored formats (empty here).
    virtual void DoGetCustomFormats(int direction, std::vector<TFormatEtc> &formats);
    // Fire OnGetData / OnQueryData when assigned.
    virtual void DoGetData(const TFormatEtc &format, TStgMedium &medium, bool &handled);
    virtual void DoQueryData(const TFormatEtc &format, bool &formatAvailable, bool &handled);
    // Data for a format with no exact stored entry (false here).
    virtual bool DoGetExtraData(const TFormatEtc &format, TStgMedium &medium);

    std::function<void(const TFormatEtc &, TStgMedium &, bool &Handled)> OnGetData;
    std::function<void(const TFormatEtc &, bool &FormatAvailable, bool &Handled)> OnQueryData;

    // --- Extended operations -------------------------------------------------------------------------
    // Keeps the picture, its hot spot and its transparent colour for the drag (false for no picture).
    bool AssignDragImage(const QImage &bitmap, QPoint hotSpot, LvColor transparentColor);
    // Stores a copy of `data` as a shared block with {format, content, -1, TYMED_HGLOBAL}.
    bool SetHGlobalData(std::uint16_t format, const QByteArray &data);
    // A copy of the block the object gives for {format, content, -1, TYMED_HGLOBAL}.
    bool GetHGlobalData(std::uint16_t format, QByteArray &data);

    const QImage &DragImage() const { return dragImage_; }
    QPoint DragHotSpot() const { return dragHotSpot_; }
    LvColor DragTransparentColor() const { return dragTransparent_; }
    // The stored format records, in storage order.
    std::vector<TFormatEtc> StoredFormats() const;

private:
    struct Entry {
        TFormatEtc format;
        TStgMedium medium;
        bool owned = false;
    };
    Entry *FindEntry(const TFormatEtc &format);
    TCommonHResult HandOut(const TStgMedium &stored, TStgMedium &out);
    bool OwnsItself(const std::shared_ptr<void> &owner) const;

    std::vector<Entry> entries_;
    QImage dragImage_;
    QPoint dragHotSpot_;
    LvColor dragTransparent_;
};

// The data object of the control's own drags: while bound to the control, the hooks fire its
// OnOLEGetCustomFormats (format names), OnOLEQueryData and OnOLEGetData (the data as a byte block,
// asked only for requests that accept TYMED_HGLOBAL); unbound, they do nothing.
class TLvDataObjectManager : public TCommonDataObject {
public:
    explicit TLvDataObjectManager(ListviewCore *listview = nullptr) : listview_(listview) {}

    ListviewCore *Listview() const { return listview_; }
    void SetListview(ListviewCore *listview) { listview_ = listview; }

    void DoGetCustomFormats(int direction, std::vector<TFormatEtc> &formats) override;
    void DoGetData(const TFormatEtc &format, TStgMedium &medium, bool &handled) override;
    void DoQueryData(const TFormatEtc &format, bool &formatAvailable, bool &handled) override;

    // The data object of an item drag: the one the control's OnOLEGetDataObject gives, else an
    // LvMimeData over a new manager bound to the control. The caller owns it (QDrag takes it).
    static QMimeData *DataObjectForDrag(ListviewCore *listview);
    // The end of a drag: the manager behind `data`, if any, forgets its control.
    static void Unbind(const QMimeData *data);

private:
    ListviewCore *listview_;
};

// The QMimeData face of a data object.
class LvMimeData : public QMimeData {
    Q_OBJECT
public:
    static constexpr const char *MimePrefix = "application/x-lv-";

    explicit LvMimeData(std::shared_ptr<TCommonDataObject> dataObject);

    const std::shared_ptr<TCommonDataObject> &DataObject() const { return dataObject_; }
    // The data object behind a mime data of this class (none for any other).
    static std::shared_ptr<TCommonDataObject> DataObjectOf(const QMimeData *data);
    // "application/x-lv-" + the name of the format (empty for an unnamed one) and back (0 for a type
    // without the prefix).
    static QString MimeType(std::uint16_t format);
    static std::uint16_t FormatOf(const QString &mimeType);

    QStringList formats() const override;
    bool hasFormat(const QString &mimeType) const override;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    std::shared_ptr<TCommonDataObject> dataObject_;
};

} // namespace gdvorn::lv
