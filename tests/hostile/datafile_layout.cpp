#include "datafile_layout.h"

#include <allegro.h>

long read_be32(const Bytes& b, size_t at) {
    unsigned long v = (static_cast<unsigned long>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
    return static_cast<long>(static_cast<int>(static_cast<unsigned int>(v)));
}

void write_be32(Bytes& b, size_t at, long value) {
    unsigned long v = static_cast<unsigned long>(value);
    b[at] = static_cast<unsigned char>(v >> 24);
    b[at + 1] = static_cast<unsigned char>(v >> 16);
    b[at + 2] = static_cast<unsigned char>(v >> 8);
    b[at + 3] = static_cast<unsigned char>(v);
}

namespace {

size_t map_objects(const Bytes& image, size_t at, ImageLayout& layout) {
    layout.count_at.push_back(at);
    long count = read_be32(image, at);
    at += 4;
    for (long i = 0; i < count; i++) {
        ObjectFields o;
        while (read_be32(image, at) == DAT_PROPERTY) {
            o.property_size_at.push_back(at + 8);
            at += 12 + read_be32(image, at + 8);
        }
        o.type = static_cast<int>(read_be32(image, at));
        o.type_at = at;
        o.stored_size_at = at + 4;
        o.unpacked_size_at = at + 8;
        o.body_at = at + 12;
        o.body_size = read_be32(image, at + 4);
        o.packed = read_be32(image, at + 8) < 0;
        size_t index = layout.objects.size();
        layout.objects.push_back(o);
        if (o.type == DAT_FILE && !o.packed) map_objects(image, o.body_at, layout);
        at = layout.objects[index].body_at + layout.objects[index].body_size;
    }
    return at;
}

}  // namespace

ImageLayout map_image(const Bytes& image) {
    ImageLayout layout;
    map_objects(image, 4, layout);  // after the "ALL." magic
    return layout;
}
