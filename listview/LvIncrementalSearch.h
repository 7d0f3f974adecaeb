#pragma once
// Incremental search: the user types the beginning of an item's caption and the list jumps to it.
//
// The control hands every key press to HandleKeyDown before its own key handling (it starts a search
// when none is running) and the key's text to HandleChar after it. Each character goes into the search
// buffer and the search runs again from the current hit, walking the items of ItemType in Direction and
// wrapping round once; the hit becomes the only selected item, focused and scrolled into view. Typing
// the first character twice keeps the buffer at one character and, with StartType eissLastHit or
// eissFocusedNode, steps to the next item beginning with it. A character with Alt or Ctrl held, or a
// control character, forgets the hit and leaves the buffer. The reset timer (ResetTime milliseconds of
// pause) empties the buffer and ends the search; with eissLastHit the hit survives it.
//
// An item matches when OnIncrementalSearch says so (Handled) with a compare result of 0, or, unhandled,
// when its caption begins with the buffer, case ignored (a shorter caption never matches).

#include "listview/LvPaintInfo.h"

#include <QString>
#include <QTimer>

#include <cstdint>

namespace gdvorn::lv {

class TLvItem;

enum class TLvIncrementalSearchDir : std::uint8_t { eisdForward, eisdBackward };
enum class TLvIncrementalSearchItemType : std::uint8_t { eisiAll, eisiInitializedOnly, eisiVisible };
enum class TCoolIncrementalSearchStart : std::uint8_t { eissStartOver, eissLastHit, eissFocusedNode };

class TLvIncrementalSearchManager : public TLvOwnedPersistent {
public:
    explicit TLvIncrementalSearchManager(ListviewCore *owner);
    ~TLvIncrementalSearchManager() override;

    TLvIncrementalSearchDir Direction() const { return direction_; }
    void SetDirection(TLvIncrementalSearchDir v) { direction_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    TLvIncrementalSearchItemType ItemType() const { return itemType_; }
    void SetItemType(TLvIncrementalSearchItemType v) { itemType_ = v; }
    // Milliseconds; a change takes effect at the next start of the timer.
    int ResetTime() const { return resetTime_; }
    void SetResetTime(int v) { resetTime_ = v; }
    TCoolIncrementalSearchStart StartType() const { return startType_; }
    void SetStartType(TCoolIncrementalSearchStart v) { startType_ = v; }

    const QString &SearchBuffer() const { return buffer_; }
    TLvItem *SearchItem() const { return searchItem_; }
    TLvItem *NextSearchItem() const { return nextSearchItem_; }
    bool Searching() const { return started_; }
    bool TimerRunning() const { return timer_.isActive(); }

    virtual void HandleKeyDown();
    // `text` is the key's text; `altOrCtrl` whether Alt or Ctrl was held.
    virtual void HandleChar(const QString &text, bool altOrCtrl);
    virtual void ForgetItems();
    // A different item forgets the next search item too.
    void SetSearchItem(TLvItem *item);
    // The timer's slot: empties the buffer and ends the search.
    void ResetSearch();
    // An item being freed: the references to it are cleared.
    void ItemDestroying(TLvItem *item);

    // The control's match of an item with the buffer: 0 is a match.
    int DoIncrementalSearch(TLvItem *item) const;

private:
    void StartSearch();
    void StartTimer();
    void StopTimer();
    void FindNextItem();
    TLvItem *First() const;
    TLvItem *Next(TLvItem *item) const;

    TLvIncrementalSearchDir direction_ = TLvIncrementalSearchDir::eisdForward;
    bool enabled_ = false;
    TLvIncrementalSearchItemType itemType_ = TLvIncrementalSearchItemType::eisiVisible;
    int resetTime_ = 2000;
    TCoolIncrementalSearchStart startType_ = TCoolIncrementalSearchStart::eissStartOver;
    QString buffer_;
    TLvItem *searchItem_ = nullptr;
    TLvItem *nextSearchItem_ = nullptr;
    bool started_ = false;
    QTimer timer_;
};

} // namespace gdvorn::lv
