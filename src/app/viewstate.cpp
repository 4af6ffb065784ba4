#include "app/viewstate.h"

#include "app/settings.h"

namespace qc {

void ViewState::loadScaleSettings(const Settings& settings)
{
    depthPerPage = settings.depthPerPage();
    pageOverlap = settings.pageOverlap();
    scaleDepthPartOnly = settings.scaleDepthPartOnly();
}

void ViewState::storeScaleSettings(Settings& settings) const
{
    settings.setInt(53, depthPerPage);
    settings.setInt(54, pageOverlap);
    settings.setInt(55, scaleDepthPartOnly ? 1 : 0);
}

} // namespace qc
