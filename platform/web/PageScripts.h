#pragma once

#include <QString>

// Every script the browser runs in the pages it shows, each by its name.
namespace lumera::pageScripts {

// Reports the link under a press or a focus change to the console, after marker.
QString activeLink(const QString& marker);
// True when the focused element takes typed text.
QString typingInPage();
// The document's own title and address, as a list of two.
QString readDocument();
// Scrolls the page by dx, dy pixels.
QString scrollBy(int dx, int dy);
// Sets the margins of the document's body, in pixels.
QString setBodyMargins(int top, int left, int right, int bottom);

} // namespace lumera::pageScripts
