// Broken, truncated and hostile picture files: every one fails cleanly,
// leaves the caller's surface alone, and loadPicture supplies its 5 x 5
// replacement. Meant to run under the sanitizers.
#include "gfx/picture_fixture.h"

#include <jerror.h>
#include <png.h>

namespace {

class DamagedPictureTest : public PictureTest {
protected:
    Bytes goodPng, goodJpeg;
    static constexpr int W = 24, H = 20;

    void SetUp() override {
        PictureTest::SetUp();
        Bytes rgb;
        for (int j = 0; j < H; j++)
            for (int i = 0; i < W; i++) rgb.insert(rgb.end(), {(uint8_t)(i * 10), (uint8_t)(j * 12), (uint8_t)(i ^ j)});
        ASSERT_TRUE(writeRgbPng(path("good.png"), W, H, rgb));
        ASSERT_TRUE(writeJpeg(path("good.jpg"), W, H, 3, rgb, 90));
        goodPng = readBytes(path("good.png"));
        goodJpeg = readBytes(path("good.jpg"));
    }

    // Loads `bytes` as a colour picture into an empty handle and into an
    // existing surface; returns what loadPng/loadJpeg said, after checking
    // that a failure touched neither.
    int loadDamaged(const Bytes& bytes, bool jpeg) {
        const char* name = jpeg ? "bad.jpg" : "bad.png";
        EXPECT_TRUE(writeBytes(path(name), bytes));
        std::string p = path(name);
        Surface* empty = nullptr;
        int result = jpeg ? loadJpeg(p.c_str(), &empty) : loadPng(p.c_str(), &empty);
        Surface* existing = createSurface(6, 6);
        fillSurface(existing, 0x1234);
        Surface* kept = existing;
        int again = jpeg ? loadJpeg(p.c_str(), &existing) : loadPng(p.c_str(), &existing);
        EXPECT_EQ(result, again);
        EXPECT_EQ(existing, kept);
        if (result == 0) {
            EXPECT_EQ(empty, nullptr);
            EXPECT_TRUE(allPixels(existing, 0x1234));
        } else if (empty) {
            EXPECT_EQ(empty->width, W);
            EXPECT_EQ(empty->height, H);
        }
        destroySurface(&empty);
        destroySurface(&existing);
        return result;
    }

    void expectReplacement(const char* name) {
        Surface* picture = nullptr;
        loadPicture(name, &picture);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->width, 5);
        EXPECT_EQ(picture->height, 5);
        EXPECT_TRUE(allPixels(picture, 0));
        destroySurface(&picture);
    }

    static Bytes truncated(const Bytes& bytes, size_t size) { return Bytes(bytes.begin(), bytes.begin() + size); }
};

TEST_F(DamagedPictureTest, EmptyAndForeignFilesAreRefused) {
    EXPECT_EQ(loadDamaged({}, false), 0);
    EXPECT_EQ(loadDamaged({}, true), 0);
    EXPECT_EQ(loadDamaged(goodJpeg, false), 0);
    EXPECT_EQ(loadDamaged(goodPng, true), 0);
    EXPECT_EQ(loadDamaged(Bytes(goodPng.begin(), goodPng.begin() + 8), false), 0);
    expectReplacement("bad.png");
    // A PNG decoding failure is silent; every JPEG one shows its box.
    for (const std::string& box : boxes()) EXPECT_EQ(box, "Load Picture: Jpeg Error");
    EXPECT_EQ(boxes().size(), 4u);
}

TEST_F(DamagedPictureTest, TruncatedPngFails) {
    long idat = findChunk(goodPng, "IDAT");
    long iend = findChunk(goodPng, "IEND");
    ASSERT_GT(idat, 0);
    ASSERT_GT(iend, idat);
    std::vector<size_t> cuts = {1, 7, 8, 12, 20, 29, 33, (size_t)idat, (size_t)idat + 10,
                                (size_t)(idat + iend) / 2, (size_t)iend - 1, (size_t)iend, goodPng.size() - 1};
    for (size_t cut : cuts) EXPECT_EQ(loadDamaged(truncated(goodPng, cut), false), 0) << "cut at " << cut;
    expectReplacement("bad.png");
}

TEST_F(DamagedPictureTest, EveryBitFlipInThePngHeaderFails) {
    for (size_t byte = 0; byte < 33; byte++)
        for (int bit = 0; bit < 8; bit++) {
            Bytes bytes = goodPng;
            bytes[byte] ^= (uint8_t)(1 << bit);
            EXPECT_EQ(loadDamaged(bytes, false), 0) << "byte " << byte << " bit " << bit;
        }
}

TEST_F(DamagedPictureTest, DamagedPngDataFails) {
    long idat = findChunk(goodPng, "IDAT");
    uint32_t length = (uint32_t)goodPng[idat + 3] | goodPng[idat + 2] << 8;
    int stillLoads = 0, flips = 0;
    for (uint32_t at = 0; at < length; at += 3) {
        Bytes bytes = goodPng;
        bytes[idat + 8 + at] ^= (uint8_t)(1 << (at % 8));
        // As it is, the chunk's checksum catches it.
        EXPECT_EQ(loadDamaged(bytes, false), 0) << "data byte " << at;
        // With a matching checksum it reaches zlib, which catches most.
        fixChunkCrc(bytes, idat);
        stillLoads += loadDamaged(bytes, false);
        flips++;
    }
    EXPECT_LT(stillLoads, flips / 4) << "of " << flips;
}

TEST_F(DamagedPictureTest, HugeOrEmptyDeclaredSizesAreRefused) {
    struct Size {
        uint32_t width, height;
    };
    for (Size size : {Size{100000, 100000}, Size{16385, 1}, Size{1, 16385}, Size{16384, 16384},
                      Size{8193, 8193}, Size{0, 20}, Size{24, 0}, Size{0x7FFFFFFF, 0x7FFFFFFF}}) {
        Bytes bytes = goodPng;
        putBigEndian32(bytes, 16, size.width);
        putBigEndian32(bytes, 20, size.height);
        fixChunkCrc(bytes, 8);
        EXPECT_EQ(loadDamaged(bytes, false), 0) << size.width << " x " << size.height;
    }
    expectReplacement("bad.png");
}

TEST_F(DamagedPictureTest, TooLittleImageDataFails) {
    Bytes bytes = goodPng;
    putBigEndian32(bytes, 16, W);
    putBigEndian32(bytes, 20, H * 40); // the data only fills the first rows
    fixChunkCrc(bytes, 8);
    EXPECT_EQ(loadDamaged(bytes, false), 0);
}

TEST_F(DamagedPictureTest, TruncatedJpegFailsWithTheLibraryNumber) {
    long scan = findMarker(goodJpeg, 0xDA);
    ASSERT_GT(scan, 0);
    for (size_t cut : {(size_t)scan + 20, (size_t)(scan + goodJpeg.size()) / 2, goodJpeg.size() - 2})
        EXPECT_EQ(loadDamaged(truncated(goodJpeg, cut), true), 0) << "cut at " << cut;
    std::string eof = "Load Picture: [" + std::to_string(JWRN_JPEG_EOF) + "]";
    ASSERT_EQ(boxes().size(), 6u);
    for (const std::string& box : boxes()) EXPECT_EQ(box, eof);
    expectReplacement("bad.jpg");
}

TEST_F(DamagedPictureTest, TruncatedJpegHeaderFails) {
    long scan = findMarker(goodJpeg, 0xDA);
    for (size_t cut : {(size_t)1, (size_t)2, (size_t)10, (size_t)100, (size_t)scan, (size_t)scan + 5})
        EXPECT_EQ(loadDamaged(truncated(goodJpeg, cut), true), 0) << "cut at " << cut;
    EXPECT_EQ(boxes().size(), 12u);
}

TEST_F(DamagedPictureTest, HugeJpegIsRefusedBeforeAllocating) {
    long frame = findMarker(goodJpeg, 0xC0);
    ASSERT_GT(frame, 0);
    // Start of frame: marker, length, precision, then height and width.
    for (int side : {60000, 16385}) {
        Bytes bytes = goodJpeg;
        bytes[frame + 5] = bytes[frame + 7] = (uint8_t)(side >> 8);
        bytes[frame + 6] = bytes[frame + 8] = (uint8_t)side;
        EXPECT_EQ(loadDamaged(bytes, true), 0) << side;
    }
    for (const std::string& box : boxes()) EXPECT_EQ(box, "Load Picture: Jpeg Error");
    Bytes zero = goodJpeg;
    zero[frame + 7] = zero[frame + 8] = 0;
    EXPECT_EQ(loadDamaged(zero, true), 0);
}

TEST_F(DamagedPictureTest, BitFlippedJpegNeverMisbehaves) {
    int loaded = 0, flips = 0;
    for (size_t at = 2; at < goodJpeg.size() - 2; at += 5, flips++) {
        Bytes bytes = goodJpeg;
        bytes[at] ^= (uint8_t)(1 << (at % 8));
        loaded += loadDamaged(bytes, true);
    }
    // Many flips land in tables or coefficients and still decode; the
    // check is that none crashes, leaks or reads out of bounds (sanitizers)
    // and that each one that fails leaves the surfaces untouched.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, flips);
    EXPECT_EQ(boxes().size(), 2u * (flips - loaded));
}

} // namespace
