#include "render/geologycolumn.h"

#include "render/logpage.h"

namespace qc {

// The layers are drawn by the geology-column work; the pass already calls it in order.
void drawGeologyColumns(LogPass&, double, double, double, double) {}

} // namespace qc
