#include "render/starfield.h"
// placeholder until the render work lands
void Starfield::scatter() {}
void Starfield::draw(BITMAP*) const {}
