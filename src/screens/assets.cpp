#include "screens/assets.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/trig.h"
#include "player/highscores.h"
#include "player/riders.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "shell/modes.h"
#include "sound/effects.h"
#include "sound/soundfile.h"
#include "sound/sounds.h"
#include "world/layout.h"
#include "world/minimap.h"
#include "world/track.h"
#include "world/voxel.h"

#include <cstring>

Surface* fontPictures[2];
Surface* iconsPicture;
Surface* hudMap;
Surface* hudTime;
Surface* hudLap;
Surface* hudPlace;
Surface* hudOob;
VoxelModel* bikeModel;
LevelLayout* levelLayout;

static const int FULL_MINIMAP_SIZE = 128;

static const int LOADING_BAR_HEIGHT = 24;
static const int STARTUP_SEGMENT_WIDTH = 6;
static const Color STARTUP_BACKGROUND = 5; // a very dark blue

void freePicture(Surface** slot) {
    if (*slot) destroySurface(slot);
}

static void startupBar(int filled) {
    drawLoadingBar(framebuffer, "Loading...", displayGeometry.logicalHeight / 2 - 40, filled, STARTUP_BAR_SEGMENTS,
                   STARTUP_SEGMENT_WIDTH);
}

static void loadFonts() {
    loadPicture("c_neopolitical.png", &fontPictures[0]);
    loadPicture("c_neopolitical-s.png", &fontPictures[1]);
}

static void loadBikeModel() {
    bikeModel = createVoxelModel();
    loadVoxelModel(bikeModel, "bike2.vox");
    scaleVoxelModel(bikeModel, BIKE_MODEL_SCALE);
}

void rebuildBikeModel(int bikeColour, int bodyColour) {
    destroyVoxelModel(&bikeModel);
    loadBikeModel();
    recolourVoxelModel(bikeModel, bikeColour, bodyColour);
}

static void loadHudPictures() {
    loadPicture("hudmap.png", &hudMap);
    loadPicture("hudtime.png", &hudTime);
    loadPicture("hudlap.png", &hudLap);
    loadPicture("hudplace.png", &hudPlace);
}

void loadStartupAssets() {
    buildTrigTables();
    fillSurface(framebuffer, STARTUP_BACKGROUND);
    startupBar(0); // the settings were read before the orientation was set
    loadHighScores();
    startupBar(1);
    startupBar(2);
    loadFonts();
    loadFont(fontPictures[0], 0, 26);
    loadFontWithBaseline(fontPictures[1], 1, 18, 7);
    startupBar(3);
    initRiders();
    loadRiders();
    createTrack(&track);
    levelChoice = -1;
    levelLayout = createLayout();
    loadPicture("icons.png", &iconsPicture);
    iconSheet = iconsPicture;
    // The four HUD pieces each get their own bar step, as they always have.
    for (int k = 0; k < 4; k++) startupBar(4 + k);
    loadHudPictures();
    startupBar(8);
    loadPicture("hudoob.png", &hudOob);
    startupBar(9);
    startupBar(10);
    loadBikeModel();
    int bar = 11;
    for (int i = 0; i < SOUND_FILE_COUNT; i++) {
        const SoundFile& s = SOUND_FILES[i];
        loadSound(s.file, s.id, s.channel, s.loopStart, s.loopEnd);
        if (s.loopWhole) loopWholeSound(s.id);
        startupBar(bar++);
    }
    replicateSoundSlots(ENGINE_BLOCK_COPIES, ENGINE_BLOCK_SIZE, SOUND_IDLE);
    minimapSize = FULL_MINIMAP_SIZE;
    startupBar(STARTUP_BAR_SEGMENTS);
}

void reloadOrientationAssets() {
    if (fontPictures[0]) {
        freePicture(&fontPictures[0]);
        freePicture(&fontPictures[1]);
        loadFonts();
        setFontStrip(fontPictures[0], 0);
        setFontStrip(fontPictures[1], 1);
    }
    if (bikeModel) {
        destroyVoxelModel(&bikeModel);
        loadBikeModel();
    }
    Surface** pictures[] = {&hudTime, &hudMap, &hudLap, &hudPlace, &hudOob, &iconsPicture};
    const char* names[] = {"hudtime.png", "hudmap.png", "hudlap.png", "hudplace.png", "hudoob.png", "icons.png"};
    for (int i = 0; i < 6; i++) {
        if (!*pictures[i]) continue;
        destroySurface(pictures[i]);
        loadPicture(names[i], pictures[i]);
    }
    iconSheet = iconsPicture;
}

void freeStartupAssets() {
    destroyVoxelModel(&bikeModel);
    destroyLayout(&levelLayout);
    releaseTrack(&track);
    destroyMinimap();
    iconSheet = nullptr;
    unloadFont(0);
    unloadFont(1);
    for (Surface** slot : {&fontPictures[0], &fontPictures[1], &iconsPicture, &hudMap, &hudTime, &hudLap, &hudPlace,
                           &hudOob})
        freePicture(slot);
    freeSoundSlots();
}

// ---- loading bar ----

static void drawBar(Surface* target, const char* label, int y, int filled, int segments, int segmentWidth,
                    int segmentHeight) {
    int width = segments * (segmentWidth + 1) + 3;
    Surface* bar = createSurface(width, LOADING_BAR_HEIGHT);
    Color backing = packColor(10, 10, 10), text = packCorrected(24, 24, 24), bracket = packCorrected(20, 20, 20);
    for (int y2 = 15; y2 < LOADING_BAR_HEIGHT; y2++)
        for (int x = 0; x < width; x++) putPixel(bar, x, y2, backing);
    drawSmallText(bar, label, bar->halfWidth - 3 * (int)strlen(label), 17, text);
    for (int i = 0; i < 4; i++) {
        putPixel(bar, i, 0, bracket);
        putPixel(bar, i, 13, bracket);
        putPixel(bar, width - 1 - i, 0, bracket);
        putPixel(bar, width - 1 - i, 13, bracket);
    }
    for (int y2 = 0; y2 <= 13; y2++) {
        putPixel(bar, 0, y2, bracket);
        putPixel(bar, width - 1, y2, bracket);
    }
    for (int s = 0; s < filled && s < segments; s++)
        for (int y2 = 2; y2 < 2 + segmentHeight; y2++)
            for (int x = 0; x < segmentWidth; x++) putPixel(bar, 2 + s * (segmentWidth + 1) + x, y2, text);
    drawSprite(target, target->halfWidth - bar->halfWidth, y, width, LOADING_BAR_HEIGHT, bar, 0, 0, BLIT_COPY);
    destroySurface(&bar);
    presentFrame(framebuffer);
}

void drawLoadingBar(Surface* target, const char* label, int y, int filled, int segments, int segmentWidth) {
    drawBar(target, label, y, filled, segments, segmentWidth, 10);
}

void drawWideLoadingBar(const char* label, int filled, int total) {
    int h = framebuffer->height;
    drawBar(framebuffer, label, h - h / 16 - LOADING_BAR_HEIGHT, filled, total, 23, 10);
}

// ---- scrolling background ----

static Surface* backgroundTile;
static Surface* backgroundFrames[4];

// Frame b is the tile moved (64b + 32) / 256 of a pixel: each pixel a
// bilinear blend with its right, lower and lower-right neighbours.
static void makeShiftedFrame(Surface* frame, int b) {
    int f = 64 * b + 32; // the neighbours' weight out of 256
    int w = backgroundTile->width, h = backgroundTile->height;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            Color here = getPixel(backgroundTile, x, y);
            Color right = getPixel(backgroundTile, (x + 1) % w, y);
            Color below = getPixel(backgroundTile, x, (y + 1) % h);
            Color diagonal = getPixel(backgroundTile, (x + 1) % w, (y + 1) % h);
            Color row = blendColors(right, here, f);
            Color next = blendColors(diagonal, below, f);
            putPixel(frame, x, y, blendColors(next, row, f));
        }
}

void loadScrollingBackground() {
    loadPicture("backvqz2.png", &backgroundTile);
    for (int b = 0; b < 4; b++) {
        backgroundFrames[b] = createSurface(backgroundTile->width, backgroundTile->height);
        makeShiftedFrame(backgroundFrames[b], b);
    }
}

void drawScrollingBackground(Surface* target, uint32_t counter) {
    Surface* frame = backgroundFrames[(counter / 4) % 4];
    if (!frame) return;
    int offset = (int)(counter / 16);
    tileSurface(target, frame, offset % frame->width, offset % frame->height);
}

void freeScrollingBackground() {
    for (Surface*& frame : backgroundFrames) freePicture(&frame);
    freePicture(&backgroundTile);
}
