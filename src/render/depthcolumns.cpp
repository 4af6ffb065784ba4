#include "render/depthcolumns.h"

#include "render/logpage.h"

namespace qc {

// The contents of the depth columns come with the column work; the pass already calls them in order.
void drawNotesColumn(LogPass&, double, double) {}
void drawWaterLevelColumn(LogPass&, double, double) {}
void drawGrainSizeColumn(LogPass&, double, double) {}
void drawSampleColumn(LogPass&, double, double) {}
void drawStratumColumn(LogPass&, double, double) {}
void drawFreeColumn(LogPass&, double, double) {}
void drawDrillDateColumn(LogPass&, double, double) {}
void drawCasingColumn(LogPass&, double, double) {}

} // namespace qc
