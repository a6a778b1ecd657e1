#include "generate.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "creature.h"
#include "people.h"
#include "portraits.h"
#include "rng.h"
#include "scenes.h"

namespace cggen {

namespace {

std::string numbered(const char* fmt, int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, n);
    return buf;
}

struct BossPlan {
    Arch arch;
    int sub;
};

// Colosseum champions by floor when the data name none; the last entry is the final gauntlet.
const BossPlan kBossPlans[26] = {
    {Arch::Human, human::Warrior},  {Arch::Beast, beast::Wolf},     {Arch::Beast, beast::Bear},
    {Arch::Plant, plant::Treant},   {Arch::Serpent, serpent::Snake}, {Arch::Golem, golem::Stone},
    {Arch::Eye, eye::Crystal},      {Arch::Serpent, serpent::Dragon}, {Arch::Fish, fish::Octopus},
    {Arch::Human, human::Gunman},   {Arch::Human, human::Knight},   {Arch::Human, human::Thug},
    {Arch::Human, human::Monk},     {Arch::Serpent, serpent::Eastern}, {Arch::Bird, bird::Phoenix},
    {Arch::Human, human::Thug},     {Arch::Golem, golem::Robot},    {Arch::Human, human::Gunman},
    {Arch::Human, human::Samurai},  {Arch::Human, human::Oni},      {Arch::Human, human::Ninja},
    {Arch::Human, human::Angel},    {Arch::Serpent, serpent::Dragon}, {Arch::Eye, eye::Cluster},
    {Arch::Human, human::Demon},    {Arch::Human, human::Mage},
};

Genome boss_genome(const NameBook& names, int n) {
    const int floor = n == 99 ? 25 : n;
    const NameEntry* e = names.find("boss" + std::to_string(n) + ".bmp");
    if (!e) e = names.find("bossbig" + std::to_string(n) + ".bmp");
    const uint64_t seed = e ? mix(hash_str(e->name), 0xb055ull) : mix(hash_str("boss"), static_cast<uint64_t>(n));
    const int culture = floor_culture(std::min(floor, 24));
    Genome g = genome_from(e ? e->name : "", e ? e->about : "", seed, culture, floor, 8);
    if (!e) {
        const BossPlan& plan = kBossPlans[floor];
        Genome h = genome_from("", "", seed, culture, -1, -1);
        h.arch = plan.arch;
        h.sub = plan.sub;
        // Keep the body plan's own colours from a fresh pick.
        g.arch = plan.arch;
        g.sub = plan.sub;
        g.body = h.body;
        g.belly = h.belly;
        g.extra = h.extra;
        if (plan.arch == Arch::Serpent && plan.sub == serpent::Dragon) g.wings = 2;
    }
    if (n == 99) {
        // The last champion: night-dark, winged, eyes burning.
        g.wings = 2;
        g.body = ramps::night;
        g.belly = ramps::purple;
        g.eye_col = PK;
    }
    g.rank = kBoss;
    g.crown = false;
    g.size = 1.05f;
    // A champion wears a cape of a strong colour, and sometimes a crown.
    Rng r(seed ^ 0xc0ull);
    const Ramp capes[] = {ramps::red, ramps::purple, ramps::blue, ramps::gold, ramps::magenta, ramps::teal};
    do {
        g.accent = r.pick(capes);
    } while (std::memcmp(g.accent.c, g.body.c, 4) == 0);
    const bool hatted = g.arch == Arch::Human &&
                        (g.sub == human::Knight || g.sub == human::Samurai || g.sub == human::Mage || g.sub == human::Angel ||
                         g.sub == human::Gunman || g.sub == human::Ninja);
    if (!hatted && r.chance(3)) g.crown = true;
    // Horns suit the creatures of fancy; on a cat, a dog or a bird they would only confuse.
    const bool animal = g.arch == Arch::Beast || g.arch == Arch::Bird || g.arch == Arch::Fish ||
                        (g.arch == Arch::Plant && g.sub == plant::Pumpkin);
    if (!animal && g.arch != Arch::Human && g.arch != Arch::Undead && !g.horns && r.chance(2)) g.horns = 2;
    if (n == 99) g.crown = true;
    return g;
}

Genome enemy_genome(const NameBook& names, int n) {
    const NameEntry* e = names.find(numbered("en%03d.bmp", n));
    const int floor = n / 10, slot = n % 10;
    const uint64_t seed = e ? mix(hash_str(e->name), static_cast<uint64_t>(slot >= 7 ? slot : 0))
                            : mix(hash_str("enemy"), static_cast<uint64_t>(n));
    return genome_from(e ? e->name : "", e ? e->about : "", seed, floor_culture(std::min(floor, 24)), floor, slot);
}

// A monster shares its look with the enemy of the same name, so a fallen foe that joins is recognisable.
Genome monster_genome(const NameBook& names, int m) {
    const NameEntry* e = names.find(numbered("mo%03d.bmp", m));
    if (e)
        for (int n = 0; n <= 254; ++n) {
            const NameEntry* foe = names.find(numbered("en%03d.bmp", n));
            if (foe && foe->name == e->name) {
                // The colours the foe wore on its own floor.
                Genome g = portrait_genome(enemy_genome(names, n), n / 10);
                g.seed = mix(g.seed, 0x3030ull);  // its own backdrop
                return g;
            }
        }
    const uint64_t seed = e ? mix(hash_str(e->name), 0) : mix(hash_str("monster"), static_cast<uint64_t>(m));
    return genome_from(e ? e->name : "", e ? e->about : "", seed, kPlain, -1, -1);
}

const char* arch_name(Arch a) {
    static const char* names[] = {"blob", "beast", "bird", "bat", "bug", "serpent", "golem", "plant", "ghost", "eye", "undead", "fish", "human"};
    return names[static_cast<int>(a)];
}

}  // namespace

std::string explain_all(const NameBook& names) {
    std::string out;
    auto line = [&](const std::string& file, const NameEntry* e, const Genome& g) {
        out += file + "\t" + (e ? e->name : std::string("-")) + "\t" + arch_name(g.arch) + "/" + std::to_string(g.sub) + "\n";
    };
    for (int n = 0; n <= 254; ++n) line(numbered("en%03d.bmp", n), names.find(numbered("en%03d.bmp", n)), enemy_genome(names, n));
    for (int m = 0; m <= 499; ++m) line(numbered("mo%03d.bmp", m), names.find(numbered("mo%03d.bmp", m)), monster_genome(names, m));
    for (int n = 0; n <= 25; ++n) {
        const int b = n == 25 ? 99 : n;
        line("boss" + std::to_string(b) + ".bmp", names.find("boss" + std::to_string(b) + ".bmp"), boss_genome(names, b));
    }
    return out;
}

std::vector<Picture> all_pictures(const NameBook& names) {
    std::vector<Picture> out;
    auto add = [&](std::string file, std::function<Canvas()> f) { out.push_back({std::move(file), std::move(f)}); };

    add("my.bmp", [] { return hero_portrait(0); });
    add("my1.bmp", [] { return hero_portrait(1); });
    add("my2.bmp", [] { return hero_portrait(2); });
    add("die.bmp", [] { return fallen_picture(); });
    add("e0.bmp", [] { return placeholder_picture(); });
    add("takara.bmp", [] { return chest_picture(); });
    add("title.bmp", [] { return title_picture(); });
    add("0_2.bmp", [] { return default_boss_big(); });
    for (const char* room : {"map0", "map-1", "map-2", "shop", "wild", "s_Ch", "gomiroom", "monster"})
        add(std::string(room) + ".bmp", [room] { return room_picture(room); });
    for (const char* host : {"tan", "tan2", "luida", "mara", "yam", "yam2", "hoku", "wata"})
        add(std::string(host) + ".bmp", [host] { return host_portrait(host); });
    add("haikei-1.bmp", [] { return floor_background(-1); });
    for (int f = 0; f <= 24; ++f) add(numbered("haikei%d.bmp", f), [f] { return floor_background(f); });

    for (int n = 0; n <= 254; ++n) {
        const int floor = n / 10;
        const Genome g = enemy_genome(names, n);
        const uint64_t seed = g.seed;
        add(numbered("en%03d.bmp", n), [g, floor, seed] { return enemy_portrait(g, floor, seed); });
    }
    for (int m = 0; m <= 499; ++m) {
        const Genome g = monster_genome(names, m);
        const uint64_t seed = g.seed;
        add(numbered("mo%03d.bmp", m), [g, seed] { return monster_picture(g, seed); });
    }
    std::vector<int> bosses;
    for (int n = 0; n <= 24; ++n) bosses.push_back(n);
    bosses.push_back(99);
    for (int n : bosses) {
        const Genome g = boss_genome(names, n);
        const int floor = n == 99 ? 25 : n;
        const uint64_t seed = g.seed;
        add("boss" + std::to_string(n) + ".bmp", [g, floor, seed] { return boss_portrait(g, floor, seed); });
        add("bossbig" + std::to_string(n) + ".bmp", [g, floor, seed] { return boss_big(g, floor, seed); });
    }
    return out;
}

int write_all(const std::filesystem::path& dir, const NameBook& names, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        if (error) *error = "cannot create " + dir.string() + ": " + ec.message();
        return -1;
    }
    int count = 0;
    for (const auto& pic : all_pictures(names)) {
        const QImage img = pic.draw().to_image();
        const auto path = dir / pic.file;
        if (!img.save(QString::fromStdString(path.string()), "BMP")) {
            if (error) *error = "cannot write " + path.string();
            return -1;
        }
        ++count;
    }
    return count;
}

bool write_sheet(const std::filesystem::path& png, const std::vector<Picture>& pictures, int zoom, int columns) {
    if (pictures.empty()) return false;
    std::vector<Canvas> tiles;
    int cw = 0, ch = 0;
    for (const auto& p : pictures) {
        tiles.push_back(p.draw().scaled(zoom));
        cw = std::max(cw, tiles.back().width());
        ch = std::max(ch, tiles.back().height());
    }
    const int rows = (static_cast<int>(tiles.size()) + columns - 1) / columns;
    Canvas sheet(columns * (cw + 2), rows * (ch + 2), G1);
    for (size_t i = 0; i < tiles.size(); ++i)
        sheet.blit(tiles[i], static_cast<int>(i % static_cast<size_t>(columns)) * (cw + 2) + 1,
                   static_cast<int>(i / static_cast<size_t>(columns)) * (ch + 2) + 1);
    return sheet.to_image().save(QString::fromStdString(png.string()), "PNG");
}

}  // namespace cggen
