#pragma once

#include "portal/PortalState.h"

#include <QString>

namespace lumera::portal {

// The history page history.html: the fixed header, every row of the buffer after the merge,
// and the footer. The header is 18 lines, each ended by CR LF (621 bytes in the ANSI code
// page), so an empty line follows it in the page.
QString historyPageHeader();
inline constexpr char HistoryPageFooter[] = "</table></body></html>";
// The page's title keeps its own visit out of the history.
QString historyPageTitle();

// The page history.html in the data folder.
QString historyPagePath(const QString& dataFolder);

// Saves the history, rewrites history.html with `header` (the tray host's TextHead), the rows
// and the footer, and empties the buffer once its rows are safe in his.dat. Returns the
// page's path, for the main pane to show. Each step that fails is skipped.
QString writeHistoryPage(PortalState& state, const QString& dataFolder, const QString& header);

} // namespace lumera::portal
