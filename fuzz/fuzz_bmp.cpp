// The BMP reader of the bitmap patterns: any bytes are refused or decoded,
// never read past their end, and a decoded image matches its header.

#include "platform/bmpimage.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qc::BmpHeader header;
    const qc::BmpStatus inspected = qc::inspectBmp(bytes, header);
    qc::Bitmap image;
    const qc::BmpStatus decoded = qc::decodeBmp(bytes, image);
    if (inspected != decoded) std::abort();
    if (decoded == qc::BmpStatus::Ok) {
        if (!image.valid() || image.width != header.width || image.height != header.height) std::abort();
        if (static_cast<int64_t>(image.width) * image.height > qc::kMaxBmpPixels) std::abort();
        // Writing it back and reading again gives the same pixels.
        qc::Bitmap again;
        if (qc::decodeBmp(qc::encodeBmp24(image), again) != qc::BmpStatus::Ok || again.pixels != image.pixels)
            std::abort();
    } else if (!image.pixels.empty()) {
        std::abort();
    }
    return 0;
}
