#include "bake/art_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace art {

namespace {

const char* const FACE_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
// Below this size the outlines are lightly hinted so thin stems stay crisp.
const double HINTED_BELOW = 15;

FT_Library library;
FT_Face face;

FT_F26Dot6 toFixed(double v) { return (FT_F26Dot6)std::lround(v * 64); }

bool hinted(const TextStyle& s) { return s.size < HINTED_BELOW && s.slant == 0; }

void setSize(const TextStyle& s) {
    FT_Set_Char_Size(face, 0, toFixed(s.size), 72, 72);
}

// Loads a glyph placed with its pen at (penX, 0) in 26.6, slanted.
bool loadGlyph(unsigned index, const TextStyle& s, double penX) {
    FT_Matrix shear{0x10000, (FT_Fixed)std::lround(s.slant * 0x10000), 0, 0x10000};
    double whole = std::floor(penX);
    FT_Vector delta{toFixed(penX - whole), 0};
    FT_Set_Transform(face, &shear, &delta);
    FT_Int32 flags = FT_LOAD_RENDER | (hinted(s) ? FT_LOAD_TARGET_LIGHT : FT_LOAD_NO_HINTING);
    return FT_Load_Glyph(face, index, flags) == 0;
}

double advanceOf(unsigned index, const TextStyle& s) {
    FT_Set_Transform(face, nullptr, nullptr);
    FT_Int32 flags = hinted(s) ? FT_LOAD_TARGET_LIGHT : FT_LOAD_NO_HINTING;
    if (FT_Load_Glyph(face, index, flags) != 0) return 0;
    return hinted(s) ? face->glyph->advance.x / 64.0 : face->glyph->linearHoriAdvance / 65536.0;
}

double kerning(unsigned left, unsigned right) {
    if (!left || !FT_HAS_KERNING(face)) return 0;
    FT_Vector k;
    if (FT_Get_Kerning(face, left, right, FT_KERNING_UNFITTED, &k) != 0) return 0;
    return k.x / 64.0;
}

// Walks the text, calling visit(glyph index, pen x) for each character.
template <typename Visit>
double walkText(const std::string& text, const TextStyle& s, Visit visit) {
    double pen = 0;
    unsigned previous = 0;
    for (unsigned char ch : text) {
        unsigned index = FT_Get_Char_Index(face, ch);
        pen += kerning(previous, index);
        visit(index, pen);
        pen += advanceOf(index, s) + s.tracking;
        previous = index;
    }
    return text.empty() ? 0 : pen - s.tracking;
}

} // namespace

bool openLettering() {
    if (face) return true;
    if (!library && FT_Init_FreeType(&library) != 0) return false;
    return FT_New_Face(library, FACE_PATH, 0, &face) == 0;
}

void closeLettering() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
    face = nullptr;
    library = nullptr;
}

double measureText(const std::string& text, const TextStyle& style) {
    if (!openLettering()) return 0;
    setSize(style);
    return walkText(text, style, [](unsigned, double) {});
}

void drawText(Mask& mask, const std::string& text, double x, double y, const TextStyle& style) {
    if (!openLettering()) return;
    setSize(style);
    walkText(text, style, [&](unsigned index, double pen) {
        double at = x + pen;
        if (!loadGlyph(index, style, at)) return;
        const FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        int left = (int)std::floor(at) + g->bitmap_left;
        int top = (int)std::lround(y) - g->bitmap_top;
        for (unsigned row = 0; row < bm.rows; row++)
            for (unsigned col = 0; col < bm.width; col++) {
                int px = left + (int)col, py = top + (int)row;
                if (px < 0 || py < 0 || px >= mask.width || py >= mask.height) continue;
                float v = bm.buffer[row * bm.pitch + col] / 255.0f;
                float& out = mask.a[(size_t)py * mask.width + px];
                out = std::min(1.0f, out + v * (1.0f - out)); // overlapping glyphs unite
            }
    });
}

void drawTextCentred(Mask& mask, const std::string& text, double x, double y, const TextStyle& style) {
    drawText(mask, text, x - measureText(text, style) / 2, y, style);
}

TextStyle fitText(const std::string& text, TextStyle style, double width) {
    while (style.size > 6 && measureText(text, style) > width) style.size -= 0.5;
    return style;
}

double capHeight(const TextStyle& style) {
    if (!openLettering()) return style.size * 0.73;
    setSize(style);
    unsigned index = FT_Get_Char_Index(face, 'H');
    FT_Set_Transform(face, nullptr, nullptr);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING) != 0) return style.size * 0.73;
    return face->glyph->metrics.horiBearingY / 64.0;
}

} // namespace art
