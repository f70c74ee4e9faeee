#pragma once

namespace lumera {

// X11 DPMS: standby, then off. Returns false where there is no X display or no DPMS.
bool turnMonitorOff();

} // namespace lumera
