#pragma once

#include "platform/registry/ScreenSaverInhibitor.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace lumera {

// org.freedesktop.ScreenSaver on the session bus. No bus or no such service: nothing happens.
class DBusScreenSaverInhibitor : public ScreenSaverInhibitor {
public:
    explicit DBusScreenSaverInhibitor(QString applicationName);
    ~DBusScreenSaverInhibitor() override;

    void inhibit() override;
    void release() override;
    bool inhibited() const override { return cookie_.has_value(); }

private:
    QString applicationName_;
    std::optional<std::uint32_t> cookie_;
};

} // namespace lumera
