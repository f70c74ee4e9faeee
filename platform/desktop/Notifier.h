#pragma once

#include <QString>

namespace lumera {

// Shows the user a short message on the desktop, where the desktop can show one.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void notify(const QString& title, const QString& body) = 0;
};

} // namespace lumera
