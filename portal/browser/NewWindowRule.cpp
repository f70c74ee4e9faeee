#include "portal/browser/NewWindowRule.h"

#include "portal/browser/BrowserRules.h"

namespace lumera::portal {

NewWindowAction newWindowAction(const NewWindowInput& input) {
    const bool clickedLink = !input.activeHref.isEmpty();
    if (input.blockPageWindows && !clickedLink && !input.userInitiated)
        return NewWindowAction::Refuse;
    if (clickedLink || input.lastStatusText.size() <= kLinkStatusLength)
        return NewWindowAction::Open;
    // A long status text is no address under the pointer: only a page of the same site may
    // open a window then.
    if (SiteKey(input.locationUrl) == SiteKey(input.lastStatusText))
        return NewWindowAction::Open;
    return NewWindowAction::LeaveAlone;
}

} // namespace lumera::portal
