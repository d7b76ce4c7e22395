// The PNG map: the file's chunks read back (signature, header, CRCs, the
// pixels inflated), and what the canvas draws where.

#include <gtest/gtest.h>

#include <zlib.h>

#include "map/MapStyle.h"
#include "map/PngCanvas.h"
#include "map/PngFile.h"

using namespace tarnwell;

namespace {

std::uint32_t Be32(const Bytes& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

struct Chunk {
    std::string type;
    Bytes data;
};

// The chunks of a PNG file, each CRC checked.
std::vector<Chunk> Chunks(const Bytes& png) {
    const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Be32(png, at);
        Chunk chunk{std::string(png.begin() + at + 4, png.begin() + at + 8),
                    Bytes(png.begin() + at + 8, png.begin() + at + 8 + length)};
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), png.data() + at + 4, length + 4);
        EXPECT_EQ(Be32(png, at + 8 + length), crc) << chunk.type;
        chunks.push_back(std::move(chunk));
        at += 12 + length;
    }
    return chunks;
}

// The pixels of a PNG written by EncodePng: the rows without their filter byte.
Bytes Pixels(const Bytes& png, int width, int height) {
    const auto chunks = Chunks(png);
    EXPECT_EQ(chunks.size(), 3u);
    uLongf size = static_cast<uLongf>((width * 4 + 1) * height);
    Bytes raw(size + 1);
    EXPECT_EQ(uncompress(raw.data(), &size, chunks[1].data.data(), static_cast<uLong>(chunks[1].data.size())), Z_OK);
    EXPECT_EQ(size, static_cast<uLongf>((width * 4 + 1) * height));
    Bytes pixels;
    for (int y = 0; y < height; ++y) {
        EXPECT_EQ(raw[static_cast<std::size_t>(y * (width * 4 + 1))], 0);
        const auto row = raw.begin() + y * (width * 4 + 1) + 1;
        pixels.insert(pixels.end(), row, row + width * 4);
    }
    return pixels;
}

}  // namespace

TEST(Png, ChunksHeaderAndPixelsReadBack) {
    const int width = 3, height = 2;
    const Bytes rgba{1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 128, 10, 11, 12, 0, 13, 14, 15, 1, 16, 17, 18, 2};
    const Bytes png = EncodePng(width, height, rgba);
    const auto chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 3, 0, 0, 0, 2, 8, 6, 0, 0, 0}));
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
    EXPECT_EQ(Pixels(png, width, height), rgba);
    EXPECT_THROW(EncodePng(4, 2, rgba), TarnwellError);
}

TEST(PngCanvas, DrawsLinesMarksAndLabelsInTheirColoursOverTheSea) {
    PngCanvas canvas(60, 40);
    EXPECT_EQ(canvas.Pixel(0, 0), SeaColour);
    const std::vector<ScreenPoint> line{{5.5, 10.5}, {50.5, 10.5}};
    canvas.Polyline(line, LineStyle::PlanAirway);
    EXPECT_EQ(canvas.Pixel(30, 10), LookOf(LineStyle::PlanAirway).colour);
    EXPECT_EQ(canvas.Pixel(30, 14), SeaColour);  // off the line

    // A dashed line leaves gaps: of the pixels along it some are drawn, some not.
    const std::vector<ScreenPoint> dashed{{5.5, 30.5}, {55.5, 30.5}};
    canvas.Polyline(dashed, LineStyle::PlanDirect);
    int drawn = 0;
    for (int x = 6; x < 55; ++x) drawn += canvas.Pixel(x, 30) == LookOf(LineStyle::PlanDirect).colour;
    EXPECT_GT(drawn, 20);
    EXPECT_LT(drawn, 40);

    canvas.Mark({20, 20}, MarkStyle::Airport);
    EXPECT_EQ(canvas.Pixel(20, 20), LookOf(MarkStyle::Airport).fill);
    canvas.Label({0, 25}, "I", LabelStyle::PlanPoint);  // 'I' is a column of 7 at its middle
    EXPECT_EQ(canvas.Pixel(5 + 2, 25 - 7 - 3 + 3), ColourOf(LabelStyle::PlanPoint));

    // The same drawing gives the same bytes; the file's pixels are the canvas's.
    const Bytes png = canvas.EncodePng();
    EXPECT_EQ(Pixels(png, 60, 40), canvas.Rgba());
}
