#include "listview/LvDataObject.h"

#include "listview/ListviewCore.h"

#include <QIODevice>
#include <QMutex>
#include <QMutexLocker>

#include <new>

namespace gdvorn::lv {

QString CommonHResultName(TCommonHResult result)
{
    switch (result) {
    case TCommonHResult::S_OK: return QStringLiteral("S_OK");
    case TCommonHResult::S_FALSE: return QStringLiteral("S_FALSE");
    case TCommonHResult::E_NOTIMPL: return QStringLiteral("E_NOTIMPL");
    case TCommonHResult::E_UNEXPECTED: return QStringLiteral("E_UNEXPECTED");
    case TCommonHResult::E_OUTOFMEMORY: return QStringLiteral("E_OUTOFMEMORY");
    case TCommonHResult::E_INVALIDARG: return QStringLiteral("E_INVALIDARG");
    case TCommonHResult::OLE_E_ADVISENOTSUPPORTED: return QStringLiteral("OLE_E_ADVISENOTSUPPORTED");
    case TCommonHResult::DV_E_FORMATETC: return QStringLiteral("DV_E_FORMATETC");
    case TCommonHResult::DV_E_TYMED: return QStringLiteral("DV_E_TYMED");
    case TCommonHResult::DV_E_DVASPECT: return QStringLiteral("DV_E_DVASPECT");
    }
    return QStringLiteral("0x%1").arg(std::uint32_t(result), 8, 16, QLatin1Char('0'));
}

// --- Format registry ---------------------------------------------------------------------------------

namespace {

constexpr std::uint32_t FirstRegisteredFormat = 0xC000;

struct FormatRegistry {
    QMutex mutex;
    QStringList names; // the id of names[i] is FirstRegisteredFormat + i
};

FormatRegistry &Registry()
{
    static FormatRegistry registry;
    return registry;
}

} // namespace

std::uint16_t RegisterLvClipboardFormat(const QString &name)
{
    if (name.isEmpty())
        return 0;
    FormatRegistry &r = Registry();
    const QMutexLocker lock(&r.mutex);
    for (qsizetype i = 0; i < r.names.size(); ++i)
        if (r.names[i].compare(name, Qt::CaseInsensitive) == 0)
            return std::uint16_t(FirstRegisteredFormat + std::uint32_t(i));
    if (FirstRegisteredFormat + std::uint32_t(r.names.size()) > 0xFFFF)
        return 0;
    r.names.append(name);
    return std::uint16_t(FirstRegisteredFormat + std::uint32_t(r.names.size() - 1));
}

QString LvClipboardFormatName(std::uint16_t format)
{
    FormatRegistry &r = Registry();
    const QMutexLocker lock(&r.mutex);
    if (format < FirstRegisteredFormat || format - FirstRegisteredFormat >= std::uint32_t(r.names.size()))
        return {};
    return r.names[qsizetype(format - FirstRegisteredFormat)];
}

void ReleaseStgMedium(TStgMedium &medium) { medium = TStgMedium(); }

// --- Format enumerator -------------------------------------------------------------------------------

TCommonEnumFormatEtc::TCommonEnumFormatEtc(std::vector<TFormatEtc> formats)
    : hasFormats_(true), formats_(std::move(formats))
{
}

TCommonHResult TCommonEnumFormatEtc::Next(std::uint32_t celt, TFormatEtc *rgelt, std::uint32_t *pceltFetched)
{
    if (!hasFormats_)
        return TCommonHResult::E_UNEXPECTED;
    std::uint32_t copied = 0;
    while (copied < celt && std::size_t(position_) < formats_.size()) {
        rgelt[copied] = formats_[std::size_t(position_)];
        ++copied;
        ++position_;
    }
    if (pceltFetched)
        *pceltFetched = copied;
    return copied == celt ? TCommonHResult::S_OK : TCommonHResult::S_FALSE;
}

TCommonHResult TCommonEnumFormatEtc::Skip(std::uint32_t celt)
{
    if (!hasFormats_)
        return TCommonHResult::E_UNEXPECTED;
    if (std::uint64_t(position_) + celt > formats_.size())
        return TCommonHResult::S_FALSE;
    position_ += std::int32_t(celt);
    return TCommonHResult::S_OK;
}

TCommonHResult TCommonEnumFormatEtc::Reset()
{
    position_ = 0;
    return TCommonHResult::S_OK;
}

TCommonHResult TCommonEnumFormatEtc::Clone(std::shared_ptr<TCommonEnumFormatEtc> &enumerator) const
{
    enumerator = std::make_shared<TCommonEnumFormatEtc>(*this);
    return TCommonHResult::S_OK;
}

// --- Data object -------------------------------------------------------------------------------------

TCommonHResult TCommonDataObject::DAdvise(const TFormatEtc &, std::uint32_t, const std::shared_ptr<void> &,
                                          std::uint32_t &connection)
{
    connection = 0;
    return TCommonHResult::OLE_E_ADVISENOTSUPPORTED;
}

TCommonHResult TCommonDataObject::DUnadvise(std::uint32_t) { return TCommonHResult::OLE_E_ADVISENOTSUPPORTED; }

TCommonHResult TCommonDataObject::EnumDAdvise(std::shared_ptr<void> &enumerator)
{
    enumerator.reset();
    return TCommonHResult::OLE_E_ADVISENOTSUPPORTED;
}

TCommonHResult TCommonDataObject::EnumFormatEtc(int direction, std::shared_ptr<TCommonEnumFormatEtc> &enumerator)
{
    enumerator.reset();
    if (direction != DATADIR_GET)
        return TCommonHResult::E_NOTIMPL;
    std::vector<TFormatEtc> formats = StoredFormats();
    DoGetCustomFormats(direction, formats);
    enumerator = std::make_shared<TCommonEnumFormatEtc>(std::move(formats));
    return TCommonHResult::S_OK;
}

TCommonHResult TCommonDataObject::GetCanonicalFormatEtc(const TFormatEtc &, TFormatEtc &)
{
    return TCommonHResult::E_NOTIMPL;
}

TCommonHResult TCommonDataObject::GetData(const TFormatEtc &format, TStgMedium &medium)
{
    medium = TStgMedium();
    bool handled = false;
    DoGetData(format, medium, handled);
    if (handled)
        return TCommonHResult::S_OK;
    if (entries_.empty())
        return TCommonHResult::E_UNEXPECTED;
    const TCommonHResult query = QueryGetData(format);
    if (query != TCommonHResult::S_OK)
        return query;
    TCommonHResult result = TCommonHResult::E_INVALIDARG;
    if (const Entry *entry = FindEntry(format); entry && entry->owned)
        result = HandOut(entry->medium, medium);
    if (result != TCommonHResult::E_INVALIDARG)
        return result;
    return DoGetExtraData(format, medium) ? TCommonHResult::S_OK : TCommonHResult::E_UNEXPECTED;
}

TCommonHResult TCommonDataObject::GetDataHere(const TFormatEtc &, TStgMedium &) { return TCommonHResult::E_NOTIMPL; }

TCommonHResult TCommonDataObject::QueryGetData(const TFormatEtc &format)
{
    bool available = false, handled = false;
    DoQueryData(format, available, handled);
    if (handled)
        return available ? TCommonHResult::S_OK : TCommonHResult::DV_E_FORMATETC;
    if (available)
        return TCommonHResult::S_OK;
    if (entries_.empty())
        return TCommonHResult::E_UNEXPECTED;
    // The first entry of the format decides, even when a later one would fit.
    for (const Entry &e : entries_) {
        if (e.format.cfFormat != format.cfFormat)
            continue;
        if (e.format.dwAspect != format.dwAspect)
            return TCommonHResult::DV_E_DVASPECT;
        return (e.format.tymed & format.tymed) != 0 ? TCommonHResult::S_OK : TCommonHResult::DV_E_TYMED;
    }
    return TCommonHResult::DV_E_FORMATETC;
}

TCommonHResult TCommonDataObject::SetData(const TFormatEtc &format, const TStgMedium &medium, bool release)
{
    switch (medium.tymed) {
    case TYMED_HGLOBAL:
        if (!medium.hGlobal)
            return TCommonHResult::E_INVALIDARG;
        break;
    case TYMED_FILE: break;
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
        if (!medium.stream)
            return TCommonHResult::E_INVALIDARG;
        break;
    default: return TCommonHResult::DV_E_TYMED; // GDI and metafile media have no counterpart here
    }
    Entry *entry = FindEntry(format);
    if (!entry) {
        entries_.push_back(Entry{format, {}, false});
        entry = &entries_.back();
    } else {
        ReleaseStgMedium(entry->medium);
    }
    entry->owned = true;
    if (release) {
        entry->medium = medium;
    } else {
        entry->medium.tymed = medium.tymed;
        if (medium.tymed == TYMED_HGLOBAL)
            entry->medium.hGlobal = std::make_shared<QByteArray>(medium.hGlobal->constData(), medium.hGlobal->size());
        else if (medium.tymed == TYMED_FILE)
            entry->medium.fileName = medium.fileName;
        else
            entry->medium.stream = medium.stream;
        entry->medium.pUnkForRelease = medium.pUnkForRelease;
    }
    // An object that owned its own medium would never be freed.
    if (OwnsItself(entry->medium.pUnkForRelease))
        entry->medium.pUnkForRelease.reset();
    return TCommonHResult::S_OK;
}

void TCommonDataObject::DoGetCustomFormats(int, std::vector<TFormatEtc> &) {}

void TCommonDataObject::DoGetData(const TFormatEtc &format, TStgMedium &medium, bool &handled)
{
    if (OnGetData)
        OnGetData(format, medium, handled);
}

void TCommonDataObject::DoQueryData(const TFormatEtc &format, bool &formatAvailable, bool &handled)
{
    if (OnQueryData)
        OnQueryData(format, formatAvailable, handled);
}

bool TCommonDataObject::DoGetExtraData(const TFormatEtc &, TStgMedium &) { return false; }

bool TCommonDataObject::AssignDragImage(const QImage &bitmap, QPoint hotSpot, LvColor transparentColor)
{
    if (bitmap.isNull())
        return false;
    dragImage_ = bitmap.copy();
    dragHotSpot_ = hotSpot;
    dragTransparent_ = transparentColor;
    return true;
}

bool TCommonDataObject::SetHGlobalData(std::uint16_t format, const QByteArray &data)
{
    try {
        TStgMedium medium;
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = std::make_shared<QByteArray>(data.constData(), data.size());
        return SetData(TFormatEtc{format, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, medium, true) == TCommonHResult::S_OK;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

bool TCommonDataObject::GetHGlobalData(std::uint16_t format, QByteArray &data)
{
    const TFormatEtc record{format, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (QueryGetData(record) != TCommonHResult::S_OK)
        return false;
    TStgMedium medium;
    if (GetData(record, medium) != TCommonHResult::S_OK)
        return false;
    const bool ok = medium.tymed == TYMED_HGLOBAL && medium.hGlobal;
    if (ok)
        data = QByteArray(medium.hGlobal->constData(), medium.hGlobal->size());
    ReleaseStgMedium(medium);
    return ok;
}

std::vector<TFormatEtc> TCommonDataObject::StoredFormats() const
{
    std::vector<TFormatEtc> formats;
    formats.reserve(entries_.size());
    for (const Entry &e : entries_)
        formats.push_back(e.format);
    return formats;
}

TCommonDataObject::Entry *TCommonDataObject::FindEntry(const TFormatEtc &format)
{
    for (Entry &e : entries_)
        if (e.format == format)
            return &e;
    return nullptr;
}

TCommonHResult TCommonDataObject::HandOut(const TStgMedium &stored, TStgMedium &out)
{
    switch (stored.tymed) {
    case TYMED_HGLOBAL:
    case TYMED_FILE:
        out = stored;
        // The receiver's release then drops only its hold on this object, which keeps the data.
        out.pUnkForRelease = weak_from_this().lock();
        return TCommonHResult::S_OK;
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE: out = stored; return TCommonHResult::S_OK;
    default: return TCommonHResult::DV_E_TYMED;
    }
}

bool TCommonDataObject::OwnsItself(const std::shared_ptr<void> &owner) const
{
    const void *p = owner.get();
    return p && (p == static_cast<const void *>(this) || p == dynamic_cast<const void *>(this));
}

// --- The control's data object -----------------------------------------------------------------------

void TLvDataObjectManager::DoGetCustomFormats(int direction, std::vector<TFormatEtc> &formats)
{
    if (!listview_ || !listview_->OnOLEGetCustomFormats)
        return;
    QStringList names;
    for (const TFormatEtc &f : formats)
        names.append(LvClipboardFormatName(f.cfFormat));
    listview_->OnOLEGetCustomFormats(direction, names);
    // A name the handler kept keeps its record; a new one offers its format as a byte block.
    std::vector<TFormatEtc> result;
    std::vector<bool> used(formats.size(), false);
    for (const QString &name : names) {
        bool kept = false;
        for (std::size_t i = 0; i < formats.size() && !kept; ++i) {
            if (!used[i] && LvClipboardFormatName(formats[i].cfFormat).compare(name, Qt::CaseInsensitive) == 0) {
                used[i] = true;
                result.push_back(formats[i]);
                kept = true;
            }
        }
        if (!kept)
            if (const std::uint16_t id = RegisterLvClipboardFormat(name))
                result.push_back(TFormatEtc{id, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    }
    formats = std::move(result);
}

void TLvDataObjectManager::DoGetData(const TFormatEtc &format, TStgMedium &medium, bool &handled)
{
    if (!listview_ || !listview_->OnOLEGetData || (format.tymed & TYMED_HGLOBAL) == 0)
        return;
    QByteArray bytes;
    listview_->OnOLEGetData(LvClipboardFormatName(format.cfFormat), bytes, handled);
    if (handled) {
        medium = TStgMedium();
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = std::make_shared<QByteArray>(bytes);
    }
}

void TLvDataObjectManager::DoQueryData(const TFormatEtc &format, bool &formatAvailable, bool &handled)
{
    if (listview_ && listview_->OnOLEQueryData)
        listview_->OnOLEQueryData(LvClipboardFormatName(format.cfFormat), formatAvailable, handled);
}

QMimeData *TLvDataObjectManager::DataObjectForDrag(ListviewCore *listview)
{
    QMimeData *data = nullptr;
    if (listview->OnOLEGetDataObject)
        listview->OnOLEGetDataObject(data);
    if (!data)
        data = new LvMimeData(std::make_shared<TLvDataObjectManager>(listview));
    return data;
}

void TLvDataObjectManager::Unbind(const QMimeData *data)
{
    const std::shared_ptr<TCommonDataObject> object = LvMimeData::DataObjectOf(data);
    if (auto *manager = dynamic_cast<TLvDataObjectManager *>(object.get()))
        manager->SetListview(nullptr);
}

// --- Mime data ---------------------------------------------------------------------------------------

LvMimeData::LvMimeData(std::shared_ptr<TCommonDataObject> dataObject) : dataObject_(std::move(dataObject)) {}

std::shared_ptr<TCommonDataObject> LvMimeData::DataObjectOf(const QMimeData *data)
{
    if (const auto *mime = qobject_cast<const LvMimeData *>(data))
        return mime->dataObject_;
    return {};
}

QString LvMimeData::MimeType(std::uint16_t format)
{
    const QString name = LvClipboardFormatName(format);
    return name.isEmpty() ? QString() : QLatin1String(MimePrefix) + name;
}

std::uint16_t LvMimeData::FormatOf(const QString &mimeType)
{
    if (!mimeType.startsWith(QLatin1String(MimePrefix), Qt::CaseInsensitive))
        return 0;
    return RegisterLvClipboardFormat(mimeType.mid(qsizetype(qstrlen(MimePrefix))));
}

QStringList LvMimeData::formats() const
{
    QStringList types;
    std::shared_ptr<TCommonEnumFormatEtc> formats;
    if (dataObject_ && dataObject_->EnumFormatEtc(DATADIR_GET, formats) == TCommonHResult::S_OK) {
        for (const TFormatEtc &f : formats->Formats()) {
            const QString type = MimeType(f.cfFormat);
            if ((f.tymed & TYMED_HGLOBAL) != 0 && !type.isEmpty() && !types.contains(type, Qt::CaseInsensitive))
                types.append(type);
        }
    }
    for (const QString &type : QMimeData::formats())
        if (!types.contains(type, Qt::CaseInsensitive))
            types.append(type);
    return types;
}

bool LvMimeData::hasFormat(const QString &mimeType) const
{
    if (const std::uint16_t format = FormatOf(mimeType); format && dataObject_)
        return dataObject_->QueryGetData(TFormatEtc{format, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}) == TCommonHResult::S_OK;
    return QMimeData::formats().contains(mimeType);
}

QVariant LvMimeData::retrieveData(const QString &mimeType, QMetaType type) const
{
    if (const std::uint16_t format = FormatOf(mimeType); format && dataObject_) {
        QByteArray data;
        if (dataObject_->GetHGlobalData(format, data))
            return data;
        return {};
    }
    return QMimeData::retrieveData(mimeType, type);
}

} // namespace gdvorn::lv
