// Way into render: pattern previews for the geology-name master editor.
#pragma once
// Previews of one pattern number as the geology column draws it: the vector
// pattern with its overlays in their colours, and the bitmap tiles of the
// number, each filling a box of the device from its top-left corner. Used by
// the geology-name master editor.

#include "platform/device.h"

#include <string>

namespace qc {

class PatternColourTable;

struct PatternPreviewStyle
{
    const PatternColourTable* colours = nullptr; // null: black
    bool allBlack = false;
    int penWidth = 1;
    bool overlayShiftOff = false; // the "混じり／質" setting
};

// The box is widthPx x heightPx device units at the device's resolution; the
// figures take the sizes they have in a column of that width. A composed
// number draws its base with its tens and units overlays, a pair its two
// patterns side by side, half the box each. Returns 1 when a component was a
// vector pattern, else 0 (the box stays white).
int drawVectorPreview(Device& device, long number, int widthPx, int heightPx,
                      const PatternPreviewStyle& style);

// The tiles "J<number>.BMP" of the components from folder: the base copied,
// the overlays combined with AND, the two halves of a pair side by side.
// Returns 1 when a tile file was read.
int drawBitmapPreview(Device& device, const std::string& folder, long number, int widthPx, int heightPx);

} // namespace qc
