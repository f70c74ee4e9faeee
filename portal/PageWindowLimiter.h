#pragma once

#include <QDateTime>
#include <QList>

namespace lumera::portal {

// Windows that pages open by themselves (not from a click or key press), counted across the
// whole program: a page, or a chain of pages each opening the next, gets at most
// kMaxWindows of them in any kSpanSeconds.
class PageWindowLimiter {
public:
    static constexpr int kMaxWindows = 3;
    static constexpr int kSpanSeconds = 60;

    // True, and counted, when one more window may open at `now`.
    bool allow(const QDateTime& now);

private:
    QList<QDateTime> opened_;
};

} // namespace lumera::portal
