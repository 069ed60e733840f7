// Rasterising text with FreeType from the packaged free bold face, for the
// font strips and the lettering on the HUD and overlay pictures.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An 8-bit coverage picture: 0 = no ink, 255 = full ink.
struct Coverage {
    int width = 0, height = 0;
    std::vector<uint8_t> values;
    uint8_t at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height ? values[(size_t)y * width + x] : 0;
    }
};

// One glyph: its ink, where the ink sits against the pen and how far the
// pen moves on.
struct GlyphImage {
    Coverage ink;
    int left = 0;    // columns from the pen to the first ink column
    int top = 0;     // rows from the first ink row down to the baseline
    int advance = 0; // pixels
};

// Full hinting snaps stems to whole pixels, which keeps very small sizes
// crisp; light hinting only aligns heights.
enum Hinting { hintLight, hintFull };

struct TypeFace {
    void* library = nullptr;
    void* face = nullptr;
};

extern const char* const boldFacePath;

bool openTypeFace(TypeFace* face, const char* path);
void closeTypeFace(TypeFace* face);
// slant > 0 leans the glyph forward (x += slant * height above the baseline).
bool renderGlyph(const TypeFace& face, int pixelSize, uint32_t code, Hinting hinting, double slant,
                 GlyphImage* out);

// A line of text with kerning; `tracking` extra pixels between letters.
struct TextImage {
    Coverage ink;
    int baseline = 0; // row of the baseline within ink
};
bool renderText(const TypeFace& face, int pixelSize, const std::string& text, double slant, int tracking,
                TextImage* out);
