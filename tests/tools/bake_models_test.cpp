// The baked voxel models, read back through the game's own loader: the bike
// and its rider fit the sprite in every orientation the race can give them
// and fill it, every colour scheme repaints the bike and the body while
// rubber, metal and skin keep their colours and the flag stands on the
// ground beside it. The whole bake's test checks that a second bake gives
// the same bytes.
#include "bake/bake.h"
#include "bake/models.h"
#include "gfx/trig.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "support/baked_data.h"
#include "support/bytes.h"
#include "support/game_fixture.h"
#include "world/voxel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string>

namespace {

const double RIDER_SCALE = 0.7; // the race and the rider editor scale the bike so

bool isBikePaint(int tag) {
    return tag == PART_FRAME || tag == PART_TANK || tag == PART_SEAT || tag == PART_FENDER || tag == PART_PLATE;
}
bool isBodyPaint(int tag) { return tag == PART_RIDER || tag == PART_HELMET; }

// The nine schemes as the rider sees them named, at intensity i.
Color schemeColour(int scheme, int i) {
    int j = i / 3;
    const int rgb[9][3] = {{i, j, j}, {i, i, j}, {0, i, j}, {0, i, i}, {i, j, i},
                           {0, 0, i}, {i, i, i}, {i / 2, i / 2, i / 2}, {i / 8, i / 8, i / 8}};
    return packColor(rgb[scheme][0], rgb[scheme][1], rgb[scheme][2]);
}

// Whether every pixel a point's splat touches lies in the sprite and its
// depth is one the depth sprite can show.
bool splatInside(const VoxelPoint& p) {
    int row = VOXEL_HALF_SIZE + (p.y >> 2);
    int column = VOXEL_HALF_SIZE + (p.x >> 2);
    int left = VOXEL_HALF_SIZE + (((p.x >> 1) - 1) >> 1);
    int right = VOXEL_HALF_SIZE + (((p.x >> 1) + 1) >> 1);
    int depth = VOXEL_HALF_SIZE + (p.z >> 2);
    int lo = std::min(column, left), hi = std::max(column, right) + 1;
    return row >= 0 && row < VOXEL_SPRITE_SIZE && lo >= 0 && hi < VOXEL_SPRITE_SIZE && depth > 0;
}

struct SpriteBox {
    int pixels = 0, left = 99, right = -1, top = 99, bottom = -1;
};

SpriteBox spriteBox(const Surface* s) {
    SpriteBox b;
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++)
            if (getPixel(s, x, y)) {
                b.pixels++;
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

class BakedModels : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        bike_ = bikeModelPoints();
        flag_ = flagModelPoints();
    }
    void SetUp() override {
        resetDisplayGeometry();
        buildTrigTables();
        strcpy(savedDataFolder_, dataFolder);
        snprintf(dataFolder, sizeof dataFolder, "%s", bakedDataFolder().c_str());
        ASSERT_TRUE(bakedDataSetPresent());
    }
    void TearDown() override {
        destroyVoxelModel(&model_);
        strcpy(dataFolder, savedDataFolder_);
    }
    VoxelModel* load(const char* name) {
        destroyVoxelModel(&model_);
        model_ = createVoxelModel();
        EXPECT_TRUE(loadVoxelModel(model_, name));
        return model_;
    }
    // The bike as a rider gets it: loaded, recoloured, scaled.
    VoxelModel* riderBike(int bikeColour, int bodyColour) {
        VoxelModel* m = load("bike2.vox");
        recolourVoxelModel(m, bikeColour, bodyColour);
        scaleVoxelModel(m, RIDER_SCALE);
        return m;
    }
    // Orients through the game's code; names the first orientation at
    // which a point falls outside the sprite.
    static std::string misfit(VoxelModel* m, int pitch, int yaw, int roll) {
        orientVoxelModel(m, pitch, yaw, roll);
        for (const VoxelPoint& p : m->points)
            if (!splatInside(p))
                return std::to_string(pitch) + "/" + std::to_string(yaw) + "/" + std::to_string(roll);
        return "";
    }

    static std::vector<SculptPoint> bike_, flag_;
    VoxelModel* model_ = nullptr;
    char savedDataFolder_[256];
};

std::vector<SculptPoint> BakedModels::bike_, BakedModels::flag_;

} // namespace

TEST_F(BakedModels, FilesHoldEveryPointAsBuiltAndTheUndrawnFirstRepeatsTheSecond) {
    for (auto [name, points] : {std::pair{"bike2.vox", &bike_}, std::pair{"flag.vox", &flag_}}) {
        SCOPED_TRACE(name);
        Bytes bytes = readBytes(bakedDataFolder() + name);
        ASSERT_EQ(bytes.size(), 4 + 16 * points->size());
        VoxelModel* m = load(name);
        ASSERT_EQ((size_t)m->count, points->size());
        for (size_t i = 0; i < points->size(); i++) {
            const SculptPoint& want = (*points)[i];
            const VoxelPoint& got = m->points[i];
            ASSERT_EQ(got.x0, want.x);
            ASSERT_EQ(got.y0, want.y);
            ASSERT_EQ(got.z0, want.z);
            ASSERT_EQ(got.colour, brightenColor(want.colour, 1));
            ASSERT_EQ(bytes[4 + 16 * i + 14] | bytes[4 + 16 * i + 15], 0); // reserved
        }
        const VoxelPoint &first = m->points[0], &second = m->points[1];
        EXPECT_EQ(std::tie(first.x0, first.y0, first.z0, first.colour),
                  std::tie(second.x0, second.y0, second.z0, second.colour));
    }
    EXPECT_GE(bike_.size(), 2500u);
    EXPECT_LE(bike_.size(), 6000u);
    EXPECT_GE(flag_.size(), 500u);
    EXPECT_LE(flag_.size(), 2500u);
}

TEST_F(BakedModels, EveryPartOfTheBikeAndRiderIsThere) {
    int counts[MODEL_PART_COUNT] = {};
    std::set<std::tuple<int, int, int>> places;
    for (const SculptPoint& p : bike_) {
        counts[p.tag]++;
        places.insert({p.x, p.y, p.z});
    }
    EXPECT_EQ(places.size(), bike_.size() - 1); // only the undrawn first point repeats
    for (int part = PART_TYRE; part <= PART_BOOT; part++) EXPECT_GT(counts[part], 0) << "part " << part;
    EXPECT_GT(counts[PART_TYRE], 600);
    EXPECT_GT(counts[PART_RIDER] + counts[PART_HELMET], 500);
    EXPECT_EQ(counts[PART_FLAG_POLE] + counts[PART_FLAG_CLOTH], 0);
}

TEST_F(BakedModels, TheBikeStandsOnItsTyresAndTheFlagOnItsFoot) {
    auto lowest = [](const std::vector<SculptPoint>& points) {
        return *std::min_element(points.begin(), points.end(),
                                 [](const SculptPoint& a, const SculptPoint& b) { return a.y < b.y; });
    };
    SculptPoint bikeLow = lowest(bike_), flagLow = lowest(flag_);
    EXPECT_EQ(bikeLow.tag, PART_TYRE);
    EXPECT_NEAR(bikeLow.y, BIKE_GROUND_Y, 4);
    EXPECT_EQ(flagLow.tag, PART_FLAG_POLE);
    EXPECT_NEAR(flagLow.y, FLAG_GROUND_Y, 2);
}

TEST_F(BakedModels, EveryRidingOrientationFitsTheSprite) {
    VoxelModel* m = riderBike(0, 0);
    // Race: pitch -48..48, any heading, lean -64..64 (roll = lean + 180).
    for (int yaw = 0; yaw < 360; yaw += 8)
        for (int pitch = -48; pitch <= 48; pitch += 8)
            for (int lean = -64; lean <= 64; lean += 8)
                ASSERT_EQ(misfit(m, (pitch + 360) % 360, yaw, lean + 180), "");
    // Rider editor: pitch 180, turning.
    for (int yaw = 0; yaw < 360; yaw += 8) ASSERT_EQ(misfit(m, 180, yaw, 0), "");
}

TEST_F(BakedModels, ATumblingWreckFitsTheSpriteToo) {
    VoxelModel* m = riderBike(3, 4);
    // Every point within reach of the sprite's edge in any direction...
    for (const VoxelPoint& p : m->points) ASSERT_LE(std::hypot(p.x0, p.y0, p.z0), 88.0);
    // ...and a sweep through all three angles.
    for (int pitch = 0; pitch < 360; pitch += 40)
        for (int yaw = 0; yaw < 360; yaw += 40)
            for (int roll = 0; roll < 360; roll += 40) ASSERT_EQ(misfit(m, pitch, yaw, roll), "");
}

TEST_F(BakedModels, TheBikeFillsMuchOfItsSprite) {
    VoxelModel* m = riderBike(1, 2);
    orientVoxelModel(m, 0, 540 - 90, 180); // heading right, seen from the side
    renderVoxelModel(m);
    SpriteBox side = spriteBox(m->sprite);
    EXPECT_GE(side.right - side.left + 1, 36);
    EXPECT_GE(side.bottom - side.top + 1, 26);
    EXPECT_GE(side.pixels, 600);
    orientVoxelModel(m, 0, 540, 180); // heading away up the screen
    renderVoxelModel(m);
    SpriteBox back = spriteBox(m->sprite);
    EXPECT_GE(back.bottom - back.top + 1, 26);
    EXPECT_LE(back.right - back.left + 1, 18); // narrow seen from behind
    // The rider sits on top: the body colour fills the sprite's upper part.
    orientVoxelModel(m, 0, 540 - 90, 180);
    renderVoxelModel(m);
    int greenAbove = 0, greenBelow = 0;
    for (int y = 0; y < VOXEL_SPRITE_SIZE; y++)
        for (int x = 0; x < VOXEL_SPRITE_SIZE; x++) {
            Color c = getPixel(m->sprite, x, y);
            bool bodyGreen = colorGreen(c) > 12 && colorRed(c) < 4; // scheme 2: (0, i, i/3)
            (y < side.top + (side.bottom - side.top) / 2 ? greenAbove : greenBelow) += bodyGreen;
        }
    EXPECT_GT(greenAbove, 80);
    EXPECT_GT(greenAbove, 3 * greenBelow);
}

TEST_F(BakedModels, EverySchemeRepaintsBikeAndBodyAndKeepsTheRest) {
    VoxelModel* plain = createVoxelModel();
    ASSERT_TRUE(loadVoxelModel(plain, "bike2.vox"));
    double bikeMeans[9][3] = {};
    for (int scheme = 0; scheme < 9; scheme++) {
        SCOPED_TRACE(scheme);
        int body = (scheme + 4) % 9;
        VoxelModel* m = load("bike2.vox");
        recolourVoxelModel(m, scheme, body);
        int bikePoints = 0;
        for (size_t i = 0; i < bike_.size(); i++) {
            Color before = plain->points[i].colour, after = m->points[i].colour;
            int tag = bike_[i].tag;
            if (isBikePaint(tag)) {
                // Bike parts keep their shade in the red channel.
                ASSERT_EQ(after, schemeColour(scheme, colorRed(before))) << "point " << i;
                bikeMeans[scheme][0] += colorRed(after);
                bikeMeans[scheme][1] += colorGreen(after);
                bikeMeans[scheme][2] += colorBlue(after);
                bikePoints++;
            } else if (isBodyPaint(tag)) {
                bool inScheme = false;
                for (int shade = 15; shade <= 30; shade++) inScheme |= after == schemeColour(body, shade);
                ASSERT_TRUE(inScheme) << "point " << i;
            } else {
                ASSERT_EQ(after, before) << "point " << i << " part " << tag;
            }
        }
        for (double& c : bikeMeans[scheme]) c /= bikePoints;
    }
    destroyVoxelModel(&plain);
    // Any two schemes look clearly different on the bike.
    for (int a = 0; a < 9; a++)
        for (int b = a + 1; b < 9; b++) {
            double d = std::fabs(bikeMeans[a][0] - bikeMeans[b][0]) + std::fabs(bikeMeans[a][1] - bikeMeans[b][1]) +
                       std::fabs(bikeMeans[a][2] - bikeMeans[b][2]);
            EXPECT_GT(d, 4.0) << a << " vs " << b;
        }
}

TEST_F(BakedModels, TheBakesColourClassesAreTheGames) {
    // Every stored colour, loaded and recoloured: bike parts lose their red
    // to the blue scheme, body parts gain green, the rest stay.
    VoxelModel* m = createVoxelModel();
    for (int stored = 0; stored < 65536; stored++)
        if (!(stored & 32)) addVoxelPoint(m, 0, 0, 0, brightenColor((Color)stored, 1));
    std::vector<VoxelPoint> before = m->points;
    recolourVoxelModel(m, 5, 2);
    size_t i = 0;
    for (int stored = 0; stored < 65536; stored++) {
        if (stored & 32) continue;
        Color was = before[i].colour, now = m->points[i++].colour;
        PaintClass seen = now == was ? PAINT_KEPT : colorGreen(now) == 0 ? PAINT_BIKE : PAINT_BODY;
        ASSERT_EQ(loadedColourClass((Color)stored), seen) << "colour " << stored;
    }
    destroyVoxelModel(&m);
}

TEST_F(BakedModels, TheFlagStandsUpWithAChequeredBanner) {
    VoxelModel* m = load("flag.vox");
    ASSERT_EQ(misfit(m, 180, 270, 0), ""); // as the track build turns it
    renderVoxelModel(m);
    SpriteBox box = spriteBox(m->sprite);
    EXPECT_GE(box.bottom - box.top + 1, 28); // about a rider's height
    EXPECT_GE(box.right - box.left + 1, 16);
    EXPECT_LE(box.right - box.left + 1, 26);
    int light = 0, dark = 0;
    for (int y = box.top; y <= box.top + 12; y++)
        for (int x = box.left; x <= box.right; x++) {
            Color c = getPixel(m->sprite, x, y);
            if (!c) continue;
            light += colorRed(c) > 18 && colorBlue(c) > 18;
            dark += colorRed(c) < 8 && colorGreen(c) < 8;
        }
    EXPECT_GT(light, 40);
    EXPECT_GT(dark, 40);
}

TEST_F(BakedModels, AnOverlongOutputFolderFailsCleanly) {
    GameDir dir; // never below the baked folder, even for a bake that must fail
    std::string folder = dir.base() + std::string(300, 'd') + "/";
    EXPECT_FALSE(bakeModels({folder, folder, ""}));
    EXPECT_STREQ(dataFolder, bakedDataFolder().c_str()); // left as it was
}
