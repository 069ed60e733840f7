#include "gfx/picture_fixture.h"

namespace {

class JpegFileTest : public PictureTest {
protected:
    // Values in the middle of a 5-bit step, so the small error of a
    // quality-100 JPEG never changes the packed colour.
    static uint8_t mid(int step) { return (uint8_t)(step * 8 + 4); }

    // 16 x 16, four solid 8 x 8 quadrants (whole blocks, no subsampling).
    Bytes quadrants() const {
        Bytes rgb;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++) {
                int q = (y / 8) * 2 + x / 8;
                rgb.insert(rgb.end(), {QUAD[q][0], QUAD[q][1], QUAD[q][2]});
            }
        return rgb;
    }
    Color quadrantColour(int x, int y) const {
        const uint8_t* q = QUAD[(y / 8) * 2 + x / 8];
        return colour(q[0], q[1], q[2]);
    }
    uint8_t QUAD[4][3] = {{mid(16), mid(8), mid(24)}, {mid(2), mid(29), mid(12)},
                          {mid(31), mid(31), mid(31)}, {mid(0), mid(5), mid(20)}};
};

TEST_F(JpegFileTest, ColourPictureDecodesThroughTheCurve) {
    setColorCurve(90);
    ASSERT_TRUE(writeJpeg(path("q.jpg"), 16, 16, 3, quadrants()));
    ASSERT_EQ(loadJpeg(path("q.jpg").c_str(), &s), 1);
    ASSERT_EQ(s->width, 16);
    ASSERT_EQ(s->height, 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) EXPECT_EQ(getPixel(s, x, y), quadrantColour(x, y)) << x << "," << y;
    EXPECT_TRUE(boxes().empty());
}

TEST_F(JpegFileTest, ProgressiveAndGreyPicturesDecode) {
    ASSERT_TRUE(writeJpeg(path("p.jpg"), 16, 16, 3, quadrants(), 100, true));
    ASSERT_EQ(loadJpeg(path("p.jpg").c_str(), &s), 1);
    for (int y = 0; y < 16; y += 5)
        for (int x = 0; x < 16; x += 3) EXPECT_EQ(getPixel(s, x, y), quadrantColour(x, y)) << x << "," << y;
    destroySurface(&s);

    Bytes grey(8 * 16);
    for (int i = 0; i < 8 * 16; i++) grey[i] = i < 64 ? mid(3) : mid(27);
    ASSERT_TRUE(writeJpeg(path("g.jpg"), 8, 16, 1, grey));
    ASSERT_EQ(loadJpeg(path("g.jpg").c_str(), &s), 1);
    EXPECT_EQ(getPixel(s, 7, 7), colour(mid(3), mid(3), mid(3)));
    EXPECT_EQ(getPixel(s, 0, 8), colour(mid(27), mid(27), mid(27)));
}

TEST_F(JpegFileTest, PictureIsCentredInAnExistingSurface) {
    ASSERT_TRUE(writeJpeg(path("q.jpg"), 16, 16, 3, quadrants()));
    s = createSurface(21, 10);
    fillSurface(s, 1);
    ASSERT_EQ(loadJpeg(path("q.jpg").c_str(), &s), 1);
    // Left 10 - 8 = 2; top 5 - 8 = -3, so picture rows 3..12 show.
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 21; x++) {
            Color expected = x >= 2 && x < 18 ? quadrantColour(x - 2, y + 3) : 1;
            EXPECT_EQ(getPixel(s, x, y), expected) << x << "," << y;
        }
}

// loadPicture's own rules, with JPEG and PNG files at hand.
using LoadPictureTest = JpegFileTest;

TEST_F(LoadPictureTest, MissingPictureGetsTheReplacementAndTheBox) {
    logThreshold = 1;
    loadPicture("gone.png", &s);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->width, 5);
    EXPECT_EQ(s->height, 5);
    EXPECT_TRUE(allPixels(s, 0));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0], "File Not Found: " + path("gone.png"));
    std::string log = logLines();
    EXPECT_EQ(log.rfind("[ERROR] Loading Picture:|     " + path("gone.png").substr(0, 25), 0), 0u) << log;
    EXPECT_NE(log.find("|surface still null|"), std::string::npos) << log;
    int line = 0;
    while (line < LOG_LINES && strncmp(logText[line], "[ERROR] ", 8) != 0) line++;
    ASSERT_LT(line, LOG_LINES);
    EXPECT_EQ(logTags[line][0], LOG_TAG_ERROR); // the prefix is red, the rest plain
    EXPECT_EQ(logTags[line][8], 0);
}

TEST_F(LoadPictureTest, MissingPictureKeepsAnExistingSurface) {
    s = createSurface(7, 3);
    fillSurface(s, 42);
    Surface* before = s;
    loadPicture("gone.jpg", &s);
    EXPECT_EQ(s, before);
    EXPECT_TRUE(allPixels(s, 42));
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(LoadPictureTest, ThirdLastCharacterChoosesTheDecoder) {
    Bytes jpegPixels = quadrants();
    ASSERT_TRUE(writeJpeg(path("upper.JPG"), 16, 16, 3, jpegPixels));
    ASSERT_TRUE(writeJpeg(path("abj.x"), 16, 16, 3, jpegPixels));
    ASSERT_TRUE(writeJpeg(path("jpeg.png"), 16, 16, 3, jpegPixels));
    ASSERT_TRUE(writeRgbPng(path("mixed.PnG"), 2, 2, Bytes(12, 100)));
    ASSERT_TRUE(writeRgbPng(path("short.jp"), 2, 2, Bytes(12, 100)));
    for (const char* name : {"upper.JPG", "abj.x"}) {
        loadPicture(name, &s);
        EXPECT_EQ(s->width, 16) << name;
        EXPECT_EQ(getPixel(s, 15, 15), quadrantColour(15, 15)) << name;
        destroySurface(&s);
    }
    for (const char* name : {"mixed.PnG", "short.jp"}) {
        loadPicture(name, &s);
        EXPECT_EQ(s->width, 2) << name;
        EXPECT_EQ(getPixel(s, 1, 1), colour(100, 100, 100)) << name;
        destroySurface(&s);
    }
    // JPEG bytes under a png name go to the PNG decoder, which refuses them.
    loadPicture("jpeg.png", &s);
    EXPECT_EQ(s->width, 5);
    EXPECT_TRUE(allPixels(s, 0));
    EXPECT_TRUE(boxes().empty());
}

} // namespace
