#pragma once
// The depth columns: observation notes, stratum / rock body, free column,
// groundwater level, samples, grain-size composition, casing pipe, drilling dates.
// Body phase: h is the character height in metres, w the width in page mm.

namespace qc {

struct LogPass;

void drawNotesColumn(LogPass& pass, double h, double w);      // "記事" font, X9-X10
void drawWaterLevelColumn(LogPass& pass, double h, double w); // X12-X13
void drawGrainSizeColumn(LogPass& pass, double h, double w);  // X14-X15
void drawSampleColumn(LogPass& pass, double h, double w);     // X13-X14
void drawStratumColumn(LogPass& pass, double h, double w);    // X10-X11
void drawFreeColumn(LogPass& pass, double h, double w);       // X11-X12
void drawDrillDateColumn(LogPass& pass, double h, double w);  // X23-X24
// Drawn after the body clip is removed; limits itself to the page's depth range.
void drawCasingColumn(LogPass& pass, double h, double w); // X20-X21

} // namespace qc
