#pragma once

#include <QString>

namespace lumera::portal {

// The radio page the hidden main window opens at start: the stored one, or the default page
// when nothing usable is stored (empty, or text that is no web or file address).
QString startupRadioPage(const QString& stored, const QString& defaultPage);

} // namespace lumera::portal
