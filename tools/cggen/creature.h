// Creatures built from parts: archetype, sub-kind, colours and extras, drawn at any size.
#pragma once
#include <cstdint>
#include <string>

#include "canvas.h"

namespace cggen {

enum class Arch : uint8_t { Blob, Beast, Bird, Bat, Bug, Serpent, Golem, Plant, Ghost, Eye, Undead, Fish, Human, Count };

// Sub-kinds.
namespace beast { enum { Wolf, Cat, Bear, Boar, Rat, Lion, Rabbit, Dog, Monkey, Elephant, Sheep, Deer, Count }; }
namespace bird { enum { Hawk, Owl, Crow, Phoenix, Chick, Count }; }
namespace bug { enum { Spider, Beetle, Bee, Scorpion, Count }; }
namespace serpent { enum { Snake, Dragon, Eastern, Worm, Count }; }
namespace golem { enum { Stone, Robot, Armour, Statue, Count }; }
namespace plant { enum { Flower, Treant, Mushroom, Flytrap, Cactus, Pumpkin, Count }; }
namespace ghost { enum { Sheet, Wisp, Wraith, Count }; }
namespace eye { enum { Orb, Cluster, Crystal, Count }; }
namespace undead { enum { Skeleton, Zombie, Mummy, Jiangshi, Lich, Count }; }
namespace fish { enum { Fish, Shark, Octopus, Crab, Count }; }
namespace human {
enum {
    Warrior, Mage, Ninja, Monk, Thug, Samurai, Orc, Oni, Knight, Girl, Gunman, Priest, Angel, Demon,
    Boy,       // a child: small, no weapon
    Townsman,  // innkeepers, shepherds, clerks: plain clothes and an apron
    Kappa,     // green, a dish on the head and a shell on the back
    Count
};
}

// Where a creature's culture shows in its dress.
enum Culture { kPlain, kNature, kCave, kTown, kChina, kLA, kJapan, kSky, kTower };

enum Rank { kNormal, kRare, kMaster, kApostle, kBoss };

struct Genome {
    Arch arch = Arch::Blob;
    int sub = 0;
    Ramp body = ramps::green;
    Ramp belly = ramps::lime;
    Ramp accent = ramps::red;
    Ramp extra = ramps::gray;
    uint8_t eye_col = YL;
    int eye_style = 1;
    int mouth = 0;
    int horns = 0;    // 0 none, 1 short, 2 curved, 3 long
    int wings = 0;    // 0 none, 1 feathered, 2 membrane
    int tail = 0;     // 0 none, 1 yes
    int headgear = -1;  // humans: -1 by kind
    int weapon = -1;    // humans: -1 by kind
    int pattern = 0;  // 0 none, 1 stripes, 2 spots
    bool crown = false;
    float size = 1.0f;
    int culture = kPlain;
    int rank = kNormal;
    uint64_t seed = 0;
};

// Points of the drawn creature that decorations attach to (unit coordinates).
struct Anchors {
    float head_x = 32, head_top = 14, head_y = 22, head_r = 8;
    bool grounded = true;
    float ground_w = 18;
    float fade_y = 1e9f;  // below this the sprite thins out (ghosts)
};

// The lighter underside colours that go with a body colour.
Ramp belly_for(const Ramp& body);
// Keeps the body colour apart from a background of the given brightness (0..1). Animals keep
// their own colours (keeps_its_colours); the portrait lights their rim instead.
void ensure_contrast(Genome& g, float background_luma);
bool keeps_its_colours(const Genome& g);

// Draws the creature on a transparent sprite layer through the painter (unit frame 64 x 64,
// ground at y = 60, centred on x = 32).
Anchors draw_creature(Painter& p, const Genome& g);

// Decorations by rank: crown, halo, extra eye.
void draw_regalia(Painter& p, const Genome& g, const Anchors& a);

// Picks a genome for a name (may be empty) and a seed. `culture` and `floor_hint` steer the
// choice when the name says nothing.
Genome genome_from(const std::string& name, const std::string& about, uint64_t seed, int culture, int floor_hint,
                   int slot_hint);

}  // namespace cggen
