#include "portal/PageWindowLimiter.h"

namespace lumera::portal {

bool PageWindowLimiter::allow(const QDateTime& now) {
    const QDateTime since = now.addSecs(-kSpanSeconds);
    // A clock set back makes old entries lie in the future; they no longer count either.
    opened_.removeIf([&](const QDateTime& at) { return at <= since || at > now; });
    if (opened_.size() >= kMaxWindows)
        return false;
    opened_.append(now);
    return true;
}

} // namespace lumera::portal
