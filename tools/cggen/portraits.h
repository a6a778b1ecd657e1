// Creature pictures: enemy and boss portraits, the large boss pictures and the small action pictures.
#pragma once
#include <cstdint>

#include "canvas.h"
#include "creature.h"

namespace cggen {

// Culture of a floor (0..25; 25 is the band of records beyond the last floor).
int floor_culture(int floor);

// Sprite layer with outline, glow and fading applied. Unit frame 64 x 64 mapped by scale and offset.
Canvas render_sprite(const Genome& g, int w, int h, float scale, float ox, float oy, Anchors* anchors = nullptr);

// The genome as an enemy portrait of that floor draws it: its body colour kept apart from the
// floor's backdrop. A monster of the same name wears the same colours.
Genome portrait_genome(const Genome& g, int floor);

Canvas enemy_portrait(const Genome& g, int floor, uint64_t seed);
Canvas boss_portrait(const Genome& g, int floor, uint64_t seed);
Canvas boss_big(const Genome& g, int floor, uint64_t seed);
Canvas monster_picture(const Genome& g, uint64_t seed);
// The shadowy stranger used when a boss brings no large picture of its own.
Canvas default_boss_big();

// Shared by the other pictures: rays from a centre in two colours, darkening outward.
void rays(Canvas& c, float cx, float cy, uint8_t a, uint8_t b, uint8_t edge, int count, float twist);
void sparkle(Canvas& c, int x, int y, int r, uint8_t col);

}  // namespace cggen
