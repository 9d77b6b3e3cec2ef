#include "shell/dialog_font.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <cstdlib>
#include <cstring>

// The mode dialog's lists mark each list's current entry with a dotted line
// along the entry's top and bottom pixel rows, in black and white. With the
// plain 8-pixel font those rows are glyph rows, so the preset entries
// (Autodetect, 640x480, 15 bpp) came out hatched and unreadable. One blank
// row above and below every glyph moves the dotted line off the letters;
// the lists just hold fewer rows.
namespace {

constexpr int PAD_ROWS = 1;

FONT_GLYPH* padded_glyph(const FONT_GLYPH* g) {
    const int stride = (g->w + 7) / 8;
    const int rows = g->h + 2 * PAD_ROWS;
    auto* out = static_cast<FONT_GLYPH*>(std::calloc(1, sizeof(FONT_GLYPH) + stride * rows));
    if (!out) return nullptr;
    out->w = g->w;
    out->h = static_cast<short>(rows);
    std::memcpy(out->dat + stride * PAD_ROWS, g->dat, stride * g->h);
    return out;
}

FONT_MONO_DATA* padded_range(const FONT_MONO_DATA* range) {
    auto* out = static_cast<FONT_MONO_DATA*>(std::calloc(1, sizeof(FONT_MONO_DATA)));
    const int count = range->end - range->begin;
    if (!out) return nullptr;
    out->begin = range->begin;
    out->end = range->end;
    out->glyphs = static_cast<FONT_GLYPH**>(std::calloc(count, sizeof(FONT_GLYPH*)));
    if (!out->glyphs) return nullptr;
    for (int i = 0; i < count; i++) {
        out->glyphs[i] = padded_glyph(range->glyphs[i]);
        if (!out->glyphs[i]) return nullptr;
    }
    return out;
}

}  // namespace

// Built once for the run and never freed, like everything else the start-up
// makes; a half-built copy on failure is left to the process exit.
FONT* make_padded_font(const FONT* source) {
    if (!source || source->vtable != font_vtable_mono) return nullptr;
    auto* out = static_cast<FONT*>(std::calloc(1, sizeof(FONT)));
    if (!out) return nullptr;
    out->height = source->height + 2 * PAD_ROWS;
    out->vtable = source->vtable;

    FONT_MONO_DATA** tail = reinterpret_cast<FONT_MONO_DATA**>(&out->data);
    for (auto* range = static_cast<const FONT_MONO_DATA*>(source->data); range; range = range->next) {
        *tail = padded_range(range);
        if (!*tail) return nullptr;
        tail = &(*tail)->next;
    }
    return out;
}
