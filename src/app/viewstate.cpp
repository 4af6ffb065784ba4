#include "app/viewstate.h"

#include "app/settings.h"

namespace qc {

void ViewState::loadScaleSettings(const Settings& settings)
{
    depthPerPage = settings.depthPerPage();
    pageOverlap = settings.pageOverlap();
    // A hand-edited file may hold an overlap the scale dialog never accepts: pages would not
    // advance (one page, the log cut short), or skip depths. It becomes 0, as there.
    if (pageOverlap < 0 || (depthPerPage > 0 && pageOverlap >= depthPerPage)) pageOverlap = 0;
    scaleDepthPartOnly = settings.scaleDepthPartOnly();
}

void ViewState::storeScaleSettings(Settings& settings) const
{
    settings.setInt(53, depthPerPage);
    settings.setInt(54, pageOverlap);
    settings.setInt(55, scaleDepthPartOnly ? 1 : 0);
}

} // namespace qc
