#include "bake/typeface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ft2build.h>
#include FT_FREETYPE_H

const char* const boldFacePath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

bool openTypeFace(TypeFace* face, const char* path) {
    FT_Library library = nullptr;
    FT_Face ftFace = nullptr;
    if (FT_Init_FreeType(&library)) return false;
    if (FT_New_Face(library, path, 0, &ftFace)) {
        fprintf(stderr, "bake: cannot open the font %s (Debian package fonts-dejavu-core)\n", path);
        FT_Done_FreeType(library);
        return false;
    }
    face->library = library;
    face->face = ftFace;
    return true;
}

void closeTypeFace(TypeFace* face) {
    if (face->face) FT_Done_Face((FT_Face)face->face);
    if (face->library) FT_Done_FreeType((FT_Library)face->library);
    face->face = nullptr;
    face->library = nullptr;
}

static bool loadGlyph(FT_Face face, int pixelSize, uint32_t code, Hinting hinting, double slant) {
    if (FT_Set_Pixel_Sizes(face, 0, pixelSize)) return false;
    FT_Matrix shear = {0x10000, (FT_Fixed)std::lround(slant * 0x10000), 0, 0x10000};
    FT_Set_Transform(face, slant != 0 ? &shear : nullptr, nullptr);
    FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0) return false;
    FT_Int32 flags = FT_LOAD_RENDER | (hinting == hintFull ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_LIGHT);
    if (slant != 0) flags |= FT_LOAD_NO_HINTING;
    return FT_Load_Glyph(face, index, flags) == 0 && face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
}

bool renderGlyph(const TypeFace& typeFace, int pixelSize, uint32_t code, Hinting hinting, double slant,
                 GlyphImage* out) {
    FT_Face face = (FT_Face)typeFace.face;
    if (!face || !loadGlyph(face, pixelSize, code, hinting, slant)) return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    out->ink.width = (int)bitmap.width;
    out->ink.height = (int)bitmap.rows;
    out->ink.values.assign((size_t)bitmap.width * bitmap.rows, 0);
    for (unsigned y = 0; y < bitmap.rows; y++)
        for (unsigned x = 0; x < bitmap.width; x++)
            out->ink.values[(size_t)y * bitmap.width + x] = bitmap.buffer[(ptrdiff_t)y * bitmap.pitch + x];
    out->left = slot->bitmap_left;
    out->top = slot->bitmap_top;
    out->advance = (int)((slot->advance.x + 32) >> 6);
    return true;
}

bool renderText(const TypeFace& typeFace, int pixelSize, const std::string& text, double slant, int tracking,
                TextImage* out) {
    FT_Face face = (FT_Face)typeFace.face;
    if (!face) return false;
    struct Placed {
        GlyphImage glyph;
        int x;
    };
    std::vector<Placed> placed;
    int pen = 0, above = 0, below = 0, right = 0, left = 0;
    FT_UInt previous = 0;
    for (unsigned char ch : text) {
        GlyphImage glyph;
        if (!renderGlyph(typeFace, pixelSize, ch, hintLight, slant, &glyph)) return false;
        FT_UInt index = FT_Get_Char_Index(face, ch);
        if (previous && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern) == 0) pen += (int)((kern.x + 32) >> 6);
        }
        previous = index;
        int x = pen + glyph.left;
        left = std::min(left, x);
        right = std::max(right, x + glyph.ink.width);
        above = std::max(above, glyph.top);
        below = std::max(below, glyph.ink.height - glyph.top);
        pen += glyph.advance + tracking;
        placed.push_back({glyph, x});
    }
    out->ink.width = right - left;
    out->ink.height = above + below;
    out->ink.values.assign((size_t)out->ink.width * out->ink.height, 0);
    out->baseline = above;
    for (const Placed& p : placed)
        for (int y = 0; y < p.glyph.ink.height; y++)
            for (int x = 0; x < p.glyph.ink.width; x++) {
                uint8_t& v = out->ink.values[(size_t)(above - p.glyph.top + y) * out->ink.width + p.x - left + x];
                v = std::max(v, p.glyph.ink.at(x, y));
            }
    return true;
}
