#include "png_file.h"

#include <cstdio>
#include <png.h>
#include <vector>

bool write_png(BITMAP* bitmap, const std::string& path) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::vector<png_byte> row(bitmap->w * 4);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, bitmap->w, bitmap->h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int depth = bitmap_color_depth(bitmap);
    const int mask = bitmap_mask_color(bitmap);
    for (int y = 0; y < bitmap->h; ++y) {
        for (int x = 0; x < bitmap->w; ++x) {
            int c = getpixel(bitmap, x, y);
            row[x * 4 + 0] = getr_depth(depth, c);
            row[x * 4 + 1] = getg_depth(depth, c);
            row[x * 4 + 2] = getb_depth(depth, c);
            row[x * 4 + 3] = c == mask ? 0 : 255;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0;
}
