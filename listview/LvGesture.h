#pragma once
// Mouse gestures: while a gesture button is held, each move from the last mouse position adds a letter
// (R, L, D, U; screen-down positive) when it is longer than the tolerance in one direction and shorter
// than twice the tolerance across it; a letter equal to the last one is not repeated.

#include <QString>

namespace gdvorn::lv {

class TLvGestureManager {
public:
    // Buttons whose drag records a gesture (bits: 1 left, 2 right, 4 middle).
    int Button() const { return button_; }
    void SetButton(int buttons) { button_ = buttons; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    int Tolerance() const { return tolerance_; }
    void SetTolerance(int v) { tolerance_ = v; }
    const QString &Path() const { return path_; }
    void Clear() { path_.clear(); }

    // The letter of one move, or none.
    QChar Classify(int dx, int dy) const
    {
        const int t = tolerance_;
        if (dx > t && std::abs(dy) < 2 * t)
            return 'R';
        if (-dx > t && std::abs(dy) < 2 * t)
            return 'L';
        if (dy > t && std::abs(dx) < 2 * t)
            return 'D';
        if (-dy > t && std::abs(dx) < 2 * t)
            return 'U';
        return {};
    }
    void Move(int dx, int dy)
    {
        const QChar letter = Classify(dx, dy);
        if (!letter.isNull() && (path_.isEmpty() || path_.back() != letter))
            path_ += letter;
    }

private:
    int button_ = 2;
    bool enabled_ = false;
    int tolerance_ = 3;
    QString path_;
};

} // namespace gdvorn::lv
