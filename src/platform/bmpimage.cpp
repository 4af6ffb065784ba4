#include "platform/bmpimage.h"

namespace qc {

namespace {

uint32_t u32(std::string_view b, size_t at)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

uint16_t u16(std::string_view b, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1])
                                                                         << 8);
}

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;

void put16(std::string& s, unsigned v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& s, uint32_t v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

std::string headers(int width, int height, int bitCount, uint32_t paletteBytes, uint32_t dataBytes)
{
    std::string s;
    const uint32_t offset = static_cast<uint32_t>(kFileHeader + kInfoHeader) + paletteBytes;
    s += "BM";
    put32(s, offset + dataBytes);
    put32(s, 0);
    put32(s, offset);
    put32(s, static_cast<uint32_t>(kInfoHeader));
    put32(s, static_cast<uint32_t>(width));
    put32(s, static_cast<uint32_t>(height));
    put16(s, 1);
    put16(s, static_cast<unsigned>(bitCount));
    put32(s, 0); // no compression
    put32(s, dataBytes);
    put32(s, 2835); // 72 dpi
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    return s;
}

uint32_t strideOf(int width, int bitCount)
{
    return static_cast<uint32_t>(
        ((static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 31) / 32) * 4);
}

} // namespace

BmpStatus inspectBmp(std::string_view bytes, BmpHeader& h)
{
    h = {};
    if (bytes.size() < kFileHeader + kInfoHeader) return BmpStatus::TooShort;
    if (bytes[0] != 'B' || bytes[1] != 'M') return BmpStatus::NotBmp;
    h.dataOffset = u32(bytes, 10);
    h.headerSize = u32(bytes, 14);
    if (h.headerSize < kInfoHeader || h.headerSize > bytes.size() - kFileHeader) return BmpStatus::BadHeader;
    const auto width = static_cast<int32_t>(u32(bytes, 18));
    const auto height = static_cast<int32_t>(u32(bytes, 22));
    const uint16_t planes = u16(bytes, 26);
    h.bitCount = u16(bytes, 28);
    const uint32_t compression = u32(bytes, 30);
    if (planes != 1 || width <= 0 || height == 0 || height == INT32_MIN) return BmpStatus::BadHeader;
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return BmpStatus::Unsupported;
    }
    if (compression != 0) return BmpStatus::Unsupported;
    h.width = width;
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    if (h.width > kMaxBmpSide || h.height > kMaxBmpSide ||
        static_cast<int64_t>(h.width) * h.height > kMaxBmpPixels)
        return BmpStatus::TooLarge;
    h.stride = strideOf(h.width, h.bitCount);
    if (h.bitCount < 16) {
        h.paletteEntries = 1 << h.bitCount;
        h.paletteOffset = static_cast<uint32_t>(kFileHeader) + h.headerSize;
        if (static_cast<uint64_t>(h.paletteOffset) + 4ull * static_cast<uint64_t>(h.paletteEntries) >
            bytes.size())
            return BmpStatus::Truncated;
    }
    // The last row may come without its padding.
    const uint64_t lastRow = (static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.bitCount) + 7) / 8;
    const uint64_t need = static_cast<uint64_t>(h.dataOffset) +
                          static_cast<uint64_t>(h.stride) * (static_cast<uint64_t>(h.height) - 1) + lastRow;
    if (h.dataOffset < kFileHeader + kInfoHeader || need > bytes.size()) return BmpStatus::Truncated;
    return BmpStatus::Ok;
}

BmpStatus decodeBmp(std::string_view bytes, Bitmap& out)
{
    out = {};
    BmpHeader h;
    const BmpStatus status = inspectBmp(bytes, h);
    if (status != BmpStatus::Ok) return status;
    Colour palette[256] = {};
    for (int i = 0; i < h.paletteEntries; ++i) {
        const size_t at = h.paletteOffset + 4 * static_cast<size_t>(i);
        // Stored blue, green, red, reserved.
        palette[i] =
            makeColour(static_cast<unsigned char>(bytes[at + 2]), static_cast<unsigned char>(bytes[at + 1]),
                       static_cast<unsigned char>(bytes[at]));
    }
    Bitmap img;
    img.width = h.width;
    img.height = h.height;
    img.pixels.resize(static_cast<size_t>(h.width) * static_cast<size_t>(h.height));
    for (int row = 0; row < h.height; ++row) {
        const size_t fileRow = h.topDown ? static_cast<size_t>(row) : static_cast<size_t>(h.height - 1 - row);
        const size_t base = h.dataOffset + fileRow * h.stride;
        Colour* dst = &img.pixels[static_cast<size_t>(row) * static_cast<size_t>(h.width)];
        for (int x = 0; x < h.width; ++x) {
            const auto ux = static_cast<size_t>(x);
            switch (h.bitCount) {
            case 1:
                dst[x] = palette[(static_cast<unsigned char>(bytes[base + ux / 8]) >> (7 - ux % 8)) & 1];
                break;
            case 4:
                dst[x] =
                    palette[(static_cast<unsigned char>(bytes[base + ux / 2]) >> (ux % 2 ? 0 : 4)) & 0xF];
                break;
            case 8:
                dst[x] = palette[static_cast<unsigned char>(bytes[base + ux])];
                break;
            case 16: {
                const unsigned v = u16(bytes, base + 2 * ux);
                dst[x] =
                    makeColour(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
                break;
            }
            case 24:
            case 32: {
                const size_t at = base + ux * static_cast<size_t>(h.bitCount / 8);
                dst[x] = makeColour(static_cast<unsigned char>(bytes[at + 2]),
                                    static_cast<unsigned char>(bytes[at + 1]),
                                    static_cast<unsigned char>(bytes[at]));
                break;
            }
            default:
                return BmpStatus::Unsupported;
            }
        }
    }
    out = std::move(img);
    return BmpStatus::Ok;
}

std::string encodeBmp1(const Bitmap& image, Colour paper, Colour ink)
{
    if (!image.valid()) return {};
    const uint32_t stride = strideOf(image.width, 1);
    std::string s = headers(image.width, image.height, 1, 8, stride * static_cast<uint32_t>(image.height));
    for (Colour c : {paper, ink}) {
        s.push_back(static_cast<char>(colourBlue(c)));
        s.push_back(static_cast<char>(colourGreen(c)));
        s.push_back(static_cast<char>(colourRed(c)));
        s.push_back(0);
    }
    for (int row = image.height - 1; row >= 0; --row) {
        std::string line(stride, '\0');
        for (int x = 0; x < image.width; ++x)
            if ((image.at(x, row) & 0xFFFFFF) != (paper & 0xFFFFFF))
                line[static_cast<size_t>(x) / 8] =
                    static_cast<char>(line[static_cast<size_t>(x) / 8] | (0x80 >> (x % 8)));
        s += line;
    }
    return s;
}

std::string encodeBmp24(const Bitmap& image)
{
    if (!image.valid()) return {};
    const uint32_t stride = strideOf(image.width, 24);
    std::string s = headers(image.width, image.height, 24, 0, stride * static_cast<uint32_t>(image.height));
    for (int row = image.height - 1; row >= 0; --row) {
        std::string line(stride, '\0');
        for (int x = 0; x < image.width; ++x) {
            const Colour c = image.at(x, row);
            line[3 * static_cast<size_t>(x)] = static_cast<char>(colourBlue(c));
            line[3 * static_cast<size_t>(x) + 1] = static_cast<char>(colourGreen(c));
            line[3 * static_cast<size_t>(x) + 2] = static_cast<char>(colourRed(c));
        }
        s += line;
    }
    return s;
}

} // namespace qc
