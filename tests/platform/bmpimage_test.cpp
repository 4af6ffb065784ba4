// The BMP reader: the formats tiles come in, and files it must refuse
// without reading past their end or allocating what their header claims.

#include "platform/bmpimage.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace qc;

namespace {

Bitmap checker(int w, int h)
{
    Bitmap b;
    b.width = w;
    b.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.pixels.push_back((x + y) % 2 ? 0x000000 : 0xFFFFFF);
    return b;
}

void poke32(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) s[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void poke16(std::string& s, size_t at, uint16_t v)
{
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8);
}

TEST(Bmp, RoundTripsOneAndTwentyFourBits)
{
    Bitmap colour = checker(13, 7);
    colour.pixels[5] = 0x123456;
    Bitmap out;
    ASSERT_EQ(decodeBmp(encodeBmp24(colour), out), BmpStatus::Ok);
    EXPECT_EQ(out.width, 13);
    EXPECT_EQ(out.height, 7);
    EXPECT_EQ(out.pixels, colour.pixels);

    const Bitmap mono = checker(33, 5);
    ASSERT_EQ(decodeBmp(encodeBmp1(mono, 0xFFFFFF, 0x0000FF), out), BmpStatus::Ok);
    EXPECT_EQ(out.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(out.at(1, 0), 0x0000FFu); // ink takes the second palette colour
    EXPECT_EQ(out.at(32, 4), 0xFFFFFFu);
}

TEST(Bmp, TopDownRowsAndEightBitPalette)
{
    // A 2 x 2, 8-bit, top-down file by hand: palette 0 red, 1 blue.
    std::string s = encodeBmp24(checker(2, 2));
    std::string f(14 + 40 + 256 * 4 + 8, '\0');
    std::memcpy(f.data(), s.data(), 54);
    poke32(f, 2, static_cast<uint32_t>(f.size()));
    poke32(f, 10, 14 + 40 + 1024);
    poke32(f, 22, static_cast<uint32_t>(-2));
    poke16(f, 28, 8);
    f[54 + 2] = static_cast<char>(0xFF); // entry 0: red (stored B, G, R)
    f[58 + 0] = static_cast<char>(0xFF); // entry 1: blue
    const size_t px = 14 + 40 + 1024;
    f[px] = 0; // row 0 (top): red, blue
    f[px + 1] = 1;
    f[px + 4] = 1; // row 1: blue, red
    f[px + 5] = 0;
    Bitmap out;
    ASSERT_EQ(decodeBmp(f, out), BmpStatus::Ok);
    EXPECT_EQ(out.at(0, 0), 0x0000FFu);
    EXPECT_EQ(out.at(1, 0), 0xFF0000u);
    EXPECT_EQ(out.at(0, 1), 0xFF0000u);
}

TEST(Bmp, RefusesDamagedAndHostileFiles)
{
    const std::string good = encodeBmp24(checker(4, 4));
    struct Case
    {
        const char* name;
        std::string bytes;
        BmpStatus status;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", "", BmpStatus::TooShort});
    cases.push_back({"headers cut", good.substr(0, 40), BmpStatus::TooShort});
    std::string notBmp = good;
    notBmp[0] = 'X';
    cases.push_back({"no BM", notBmp, BmpStatus::NotBmp});
    std::string cut = good.substr(0, good.size() - 10);
    cases.push_back({"pixels cut", cut, BmpStatus::Truncated});
    std::string tall = good;
    poke32(tall, 18, 1);
    poke32(tall, 22, 65535);
    cases.push_back({"1 x 65535 without its rows", tall, BmpStatus::TooLarge});
    Bitmap column;
    column.width = 1;
    column.height = 65535;
    column.pixels.assign(65535, 0);
    cases.push_back({"1 x 65535 whole", encodeBmp1(column, 0xFFFFFF, 0), BmpStatus::TooLarge});
    std::string giga = good;
    poke32(giga, 18, 16384);
    poke32(giga, 22, 16384);
    poke32(giga, 2, 0xFFFFFFF0u);
    cases.push_back({"gigabytes claimed", giga, BmpStatus::TooLarge});
    std::string wide = good;
    poke32(wide, 18, 0x7FFFFFFF);
    cases.push_back({"width beyond limits", wide, BmpStatus::TooLarge});
    std::string negWidth = good;
    poke32(negWidth, 18, static_cast<uint32_t>(-4));
    cases.push_back({"negative width", negWidth, BmpStatus::BadHeader});
    std::string minHeight = good;
    poke32(minHeight, 22, 0x80000000u);
    cases.push_back({"height INT_MIN", minHeight, BmpStatus::BadHeader});
    std::string bits = good;
    poke16(bits, 28, 7);
    cases.push_back({"7 bits", bits, BmpStatus::Unsupported});
    std::string rle = good;
    poke32(rle, 30, 1);
    cases.push_back({"compressed", rle, BmpStatus::Unsupported});
    std::string header = good;
    poke32(header, 14, 0xFFFFFFFFu);
    cases.push_back({"header size past the end", header, BmpStatus::BadHeader});
    std::string offset = good;
    poke32(offset, 10, 0xFFFFFFF0u);
    cases.push_back({"data offset past the end", offset, BmpStatus::Truncated});
    std::string palette = encodeBmp1(checker(4, 4), 0xFFFFFF, 0);
    poke16(palette, 28, 8); // claims 256 colours, the file holds 2
    cases.push_back({"palette past the end", palette.substr(0, 54 + 8 + 16), BmpStatus::Truncated});

    for (const Case& c : cases) {
        Bitmap out;
        out.width = 1;
        EXPECT_EQ(decodeBmp(c.bytes, out), c.status) << c.name;
        EXPECT_FALSE(out.valid()) << c.name;
        EXPECT_TRUE(out.pixels.empty()) << c.name;
    }
}

TEST(Bmp, LastRowMayLackItsPadding)
{
    std::string s = encodeBmp24(checker(3, 2)); // rows of 9 bytes padded to 12
    s.resize(s.size() - 3);
    Bitmap out;
    EXPECT_EQ(decodeBmp(s, out), BmpStatus::Ok);
}

} // namespace
