#pragma once
// Windows BMP files as the bitmap patterns use them: uncompressed 1, 4, 8, 16,
// 24 or 32 bits per pixel. The header is checked against the real size of the
// file before anything is allocated, so a damaged or hostile file is refused
// instead of being read past its end or allocating what its header claims.

#include "platform/device.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qc {

// Tiles are small; anything beyond these is refused.
constexpr int kMaxBmpSide = 16384;
constexpr int64_t kMaxBmpPixels = 4 * 1024 * 1024;

enum class BmpStatus {
    Ok,
    TooShort,    // shorter than the two headers
    NotBmp,      // no "BM"
    BadHeader,   // sizes or offsets that cannot be
    Unsupported, // compressed or an unusual bit count
    TooLarge,    // beyond the limits above
    Truncated,   // the pixel data or the colour table runs past the end
};

struct BmpHeader
{
    int width = 0;
    int height = 0;       // always positive
    bool topDown = false; // negative height in the file
    int bitCount = 0;
    uint32_t headerSize = 0; // of the information header
    uint32_t dataOffset = 0; // of the pixel data from the start of the file
    uint32_t stride = 0;     // bytes per row, padded to 4
    uint32_t paletteOffset = 0;
    int paletteEntries = 0; // 1 << bitCount below 16 bits, else 0
};

// Checks the headers against the bytes. Ok means decodeBmp cannot fail on them.
BmpStatus inspectBmp(std::string_view bytes, BmpHeader& header);

// Decodes the file into pixels (top row first); out is left empty on failure.
BmpStatus decodeBmp(std::string_view bytes, Bitmap& out);

// Writes an image as a 1-bit file whose colour 0 is `paper` and colour 1 is
// `ink`: a pixel equal to `paper` is paper, any other is ink.
std::string encodeBmp1(const Bitmap& image, Colour paper, Colour ink);
// Writes an image as a 24-bit file.
std::string encodeBmp24(const Bitmap& image);

} // namespace qc
