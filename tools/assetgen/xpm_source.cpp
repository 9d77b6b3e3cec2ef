#include "xpm_source.h"

#include <cstdio>
#include <map>

namespace {

// The characters that may name a colour inside a C string literal: printable,
// neither a quote nor a backslash, and no '?' that could start a trigraph.
std::string colour_symbols() {
    std::string symbols;
    for (char c = '#'; c <= '~'; ++c)
        if (c != '\\' && c != '?') symbols += c;
    return symbols;
}

}  // namespace

bool write_xpm_source(BITMAP* picture, const std::string& name, const std::string& path) {
    const int depth = bitmap_color_depth(picture), mask = bitmap_mask_color(picture);
    // Colours numbered in the order of their values, so the same picture
    // always gives the same text.
    std::map<int, std::string> names;
    for (int y = 0; y < picture->h; ++y)
        for (int x = 0; x < picture->w; ++x) names[getpixel(picture, x, y)];
    const std::string symbols = colour_symbols();
    const size_t base = symbols.size();
    const int width = names.size() <= base ? 1 : 2;
    if (names.size() > base * base) return false;
    size_t next = 0;
    for (auto& entry : names) {
        entry.second = width == 1 ? std::string(1, symbols[next])
                                   : std::string{symbols[next / base], symbols[next % base]};
        ++next;
    }

    FILE* out = std::fopen(path.c_str(), "w");
    if (!out) return false;
    std::fprintf(out, "// Made by vexo_assetgen from the icon art; do not edit.\n"
                      "extern const char* const %s[];\nconst char* const %s[] = {\n\"%d %d %zu %d\",\n",
                 name.c_str(), name.c_str(), picture->w, picture->h, names.size(), width);
    for (const auto& [colour, symbol] : names) {
        if (colour == mask) std::fprintf(out, "\"%s c None\",\n", symbol.c_str());
        else std::fprintf(out, "\"%s c #%02x%02x%02x\",\n", symbol.c_str(), getr_depth(depth, colour),
                          getg_depth(depth, colour), getb_depth(depth, colour));
    }
    for (int y = 0; y < picture->h; ++y) {
        std::string row;
        for (int x = 0; x < picture->w; ++x) row += names[getpixel(picture, x, y)];
        std::fprintf(out, "\"%s\",\n", row.c_str());
    }
    std::fprintf(out, "};\n");
    return std::fclose(out) == 0;
}
