// The picture generator: complete, deterministic, one palette, and names steer the creatures.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>

#include "cggen/creature.h"
#include "cggen/generate.h"
#include "cggen/names.h"
#include "cggen/palette.h"
#include "cggen/canvas.h"
#include <algorithm>
#include <utility>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

fs::path fresh_dir(const std::string& name) {
    const fs::path d = fs::temp_directory_path() / ("cggen_test_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(d);
    return d;
}

uint32_t le32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) | static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

struct Written {
    fs::path dir;
    int count = 0;
};

fs::path shared_dir() { return fresh_dir("a"); }

// Removes the shared run's folder when the tests are done.
class SharedRunCleanup : public ::testing::Environment {
public:
    void TearDown() override { fs::remove_all(shared_dir()); }
};
[[maybe_unused]] ::testing::Environment* const kCleanup = ::testing::AddGlobalTestEnvironment(new SharedRunCleanup);

// One shared run keeps the suite quick.
const Written& first_run() {
    static Written w = [] {
        Written r;
        r.dir = shared_dir();
        cggen::NameBook none;
        std::string err;
        r.count = cggen::write_all(r.dir, none, &err);
        return r;
    }();
    return w;
}

}  // namespace

TEST(Cggen, WritesEveryPictureTheGameLoadsAs24BitBmpOfTheRightSize) {
    const Written& w = first_run();
    ASSERT_GT(w.count, 0);
    struct Want {
        std::string file;
        uint32_t width, height;
    };
    std::vector<Want> wants = {{"my.bmp", 64, 64},       {"my1.bmp", 64, 64},       {"my2.bmp", 64, 64},     {"die.bmp", 64, 64},
                               {"e0.bmp", 64, 64},       {"map-1.bmp", 64, 64},     {"map-2.bmp", 64, 64},   {"map0.bmp", 64, 64},
                               {"0_2.bmp", 100, 200},    {"haikei-1.bmp", 325, 193}, {"tan.bmp", 64, 64},     {"tan2.bmp", 64, 64},
                               {"luida.bmp", 64, 64},    {"mara.bmp", 64, 64},      {"yam.bmp", 64, 64},     {"yam2.bmp", 64, 64},
                               {"hoku.bmp", 64, 64},     {"wata.bmp", 64, 64},      {"shop.bmp", 64, 64},    {"wild.bmp", 64, 64},
                               {"s_Ch.bmp", 64, 64},     {"gomiroom.bmp", 64, 64},  {"monster.bmp", 64, 64}, {"title.bmp", 637, 389},
                               {"takara.bmp", 40, 40},   {"boss99.bmp", 64, 64},    {"bossbig99.bmp", 100, 200}};
    for (int f = 0; f <= 24; ++f) {
        wants.push_back({"haikei" + std::to_string(f) + ".bmp", 325, 193});
        wants.push_back({"boss" + std::to_string(f) + ".bmp", 64, 64});
        wants.push_back({"bossbig" + std::to_string(f) + ".bmp", 100, 200});
    }
    char buf[32];
    for (int n = 0; n <= 254; ++n) {
        std::snprintf(buf, sizeof buf, "en%03d.bmp", n);
        wants.push_back({buf, 64, 64});
    }
    for (int m = 0; m <= 499; ++m) {
        std::snprintf(buf, sizeof buf, "mo%03d.bmp", m);
        wants.push_back({buf, 20, 20});
    }
    EXPECT_EQ(static_cast<size_t>(w.count), wants.size());
    for (const auto& want : wants) {
        const std::string b = slurp(w.dir / want.file);
        ASSERT_GE(b.size(), 54u) << want.file;
        EXPECT_EQ(b.substr(0, 2), "BM") << want.file;
        EXPECT_EQ(le32(b, 18), want.width) << want.file;
        EXPECT_EQ(le32(b, 22), want.height) << want.file;
        EXPECT_EQ(static_cast<unsigned char>(b[28]), 24) << want.file << " is not 24-bit";
    }
}

TEST(Cggen, TwoRunsGiveIdenticalBytes) {
    const Written& a = first_run();
    const fs::path b = fresh_dir("b");
    cggen::NameBook none;
    std::string err;
    ASSERT_EQ(cggen::write_all(b, none, &err), a.count) << err;
    for (const auto& entry : fs::directory_iterator(a.dir)) {
        const auto name = entry.path().filename();
        EXPECT_EQ(slurp(entry.path()), slurp(b / name)) << name << " differs between runs";
    }
    fs::remove_all(b);
}

TEST(Cggen, EveryPixelComesFromTheOnePalette) {
    std::set<uint32_t> palette;
    for (int i = 0; i < cggen::kPaletteSize; ++i) palette.insert(cggen::rgb_of(static_cast<uint8_t>(i)));
    EXPECT_EQ(palette.size(), 32u);
    const Written& w = first_run();
    for (const char* file : {"my.bmp", "title.bmp", "haikei7.bmp", "en123.bmp", "mo321.bmp", "bossbig12.bmp", "wata.bmp"}) {
        QImage img(QString::fromStdString((w.dir / file).string()));
        ASSERT_FALSE(img.isNull()) << file;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_TRUE(palette.count(img.pixel(x, y) & 0xffffffu)) << file << " at " << x << "," << y;
    }
}

TEST(Cggen, EveryEnemyAndMonsterLooksDifferent) {
    const Written& w = first_run();
    std::set<std::string> seen;
    char buf[32];
    for (int n = 0; n <= 254; ++n) {
        std::snprintf(buf, sizeof buf, "en%03d.bmp", n);
        EXPECT_TRUE(seen.insert(slurp(w.dir / buf)).second) << buf << " repeats another picture";
    }
    for (int m = 0; m <= 499; ++m) {
        std::snprintf(buf, sizeof buf, "mo%03d.bmp", m);
        EXPECT_TRUE(seen.insert(slurp(w.dir / buf)).second) << buf << " repeats another picture";
    }
}

TEST(Cggen, NamesPickTheBodyPlanByTheirHeadNoun) {
    auto arch = [](const char* name) { return cggen::genome_from(name, "", 1, cggen::kPlain, 0, 0).arch; };
    EXPECT_EQ(arch("ぷるぷるスライム"), cggen::Arch::Blob);
    EXPECT_EQ(arch("頂の竜"), cggen::Arch::Serpent);
    EXPECT_EQ(arch("欠け月の狼"), cggen::Arch::Beast);   // the wolf of the moon, not a moon
    EXPECT_EQ(arch("雲の羊"), cggen::Arch::Beast);       // a sheep, not a cloud
    EXPECT_EQ(arch("がいこつ役者"), cggen::Arch::Undead);
    EXPECT_EQ(arch("からくり鷹"), cggen::Arch::Bird);
    EXPECT_EQ(arch("ミイラ男"), cggen::Arch::Undead);
    const auto frog = cggen::genome_from("井戸の蛙", "", 1, cggen::kPlain, 0, 0);
    EXPECT_EQ(frog.arch, cggen::Arch::Blob);
    EXPECT_EQ(frog.sub, 3);
    EXPECT_TRUE(cggen::genome_from("屋根裏の鼠王", "", 1, cggen::kPlain, 0, 0).crown);
}

// Each name gets the body plan it names, also where a shorter word hides inside it.
TEST(Cggen, AnimalsAndPeopleLookLikeTheirNames) {
    auto plan = [](const char* name) {
        const auto g = cggen::genome_from(name, "", 7, cggen::kPlain, 3, 2);
        return std::make_pair(g.arch, g.sub);
    };
    using cggen::Arch;
    EXPECT_EQ(plan("野良犬"), std::make_pair(Arch::Beast, int(cggen::beast::Dog)));
    EXPECT_EQ(plan("欠け月の狼"), std::make_pair(Arch::Beast, int(cggen::beast::Wolf)));
    EXPECT_EQ(plan("雲の羊"), std::make_pair(Arch::Beast, int(cggen::beast::Sheep)));
    EXPECT_EQ(plan("野生の象"), std::make_pair(Arch::Beast, int(cggen::beast::Elephant)));
    EXPECT_EQ(plan("野生の猿"), std::make_pair(Arch::Beast, int(cggen::beast::Monkey)));
    EXPECT_EQ(plan("野生の子鹿"), std::make_pair(Arch::Beast, int(cggen::beast::Deer)));
    EXPECT_EQ(plan("はぐれカッパ"), std::make_pair(Arch::Human, int(cggen::human::Kappa)));
    EXPECT_EQ(plan("うらめしカボチャ"), std::make_pair(Arch::Plant, int(cggen::plant::Pumpkin)));
    EXPECT_EQ(plan("はじまりの少年"), std::make_pair(Arch::Human, int(cggen::human::Boy)));
    EXPECT_EQ(plan("へっぽこ見習い"), std::make_pair(Arch::Human, int(cggen::human::Boy)));
    EXPECT_EQ(plan("迷いこんだ羊飼い"), std::make_pair(Arch::Human, int(cggen::human::Townsman)));
    // A title and a katakana personal name: the title tells what the bearer is, even when the
    // name sounds like a creature (オクモ is no spider).
    EXPECT_EQ(plan("雲の宿の女将オクモ"), std::make_pair(Arch::Human, int(cggen::human::Townsman)));
    EXPECT_EQ(plan("欠け月の狼王ツキカゲ"), std::make_pair(Arch::Beast, int(cggen::beast::Wolf)));
    // A name that starts with a creature's word is that creature.
    EXPECT_EQ(plan("路地裏の帝王ボス・ニャンコ"), std::make_pair(Arch::Beast, int(cggen::beast::Cat)));
    EXPECT_EQ(plan("無敗王ザンド・レオン"), std::make_pair(Arch::Beast, int(cggen::beast::Lion)));
}

TEST(Cggen, AnimalsGrowNoHorns) {
    for (uint64_t seed = 1; seed <= 60; ++seed) {
        for (int slot : {0, 8}) {
            for (const char* name : {"野良犬", "のら猫", "群れ狼", "野生の象", "峡谷の鷲"}) {
                EXPECT_EQ(cggen::genome_from(name, "", seed, cggen::kPlain, 2, slot).horns, 0) << name << " seed " << seed;
            }
        }
    }
}

// The boss's lines are typed in pale green over the top of the fight halls' pictures; that
// band must stay dark and calm so that every line can be read.
TEST(Cggen, FightHallsKeepADarkBandUnderTheBossSpeech) {
    cggen::NameBook none;
    for (auto& p : cggen::all_pictures(none)) {
        if (p.file != "map-1.bmp" && p.file != "map-2.bmp") continue;
        const cggen::Canvas c = p.draw();
        float brightest = 0;
        // Rows 0..29 of the 64 x 64 picture fill the label's 93 rows once stretched to 200 x 200.
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 64; ++x) brightest = std::max(brightest, cggen::luma(c.at(x, y)));
        EXPECT_LT(brightest, 0.4f) << p.file;
        // The lower half is the lit room, not one dark block.
        float lower = 0;
        for (int y = 40; y < 64; ++y)
            for (int x = 0; x < 64; ++x) lower = std::max(lower, cggen::luma(c.at(x, y)));
        EXPECT_GT(lower, 0.6f) << p.file;
    }
}

TEST(Cggen, ReadsNamesFromTableRowsAndKeyValueFiles) {
    cggen::NameBook book;
    book.add_text("# id\tname\tpic\n"
                  "0\tねぼけウサギ\ten001.bmp\t0\t2\t# starts asleep\n"
                  "7\t雲の羊\tふわふわ\tmo007.bmp\t45\n");
    book.add_text("# boss0\nname: 番犬ゴンザレス\npic: boss0.bmp\nbig: bossbig0.bmp\nlv: 5\n");
    ASSERT_NE(book.find("en001.bmp"), nullptr);
    EXPECT_EQ(book.find("en001.bmp")->name, "ねぼけウサギ");
    EXPECT_EQ(book.find("EN001.BMP")->name, "ねぼけウサギ");
    ASSERT_NE(book.find("mo007.bmp"), nullptr);
    EXPECT_EQ(book.find("mo007.bmp")->name, "雲の羊");
    ASSERT_NE(book.find("boss0.bmp"), nullptr);
    EXPECT_EQ(book.find("boss0.bmp")->name, "番犬ゴンザレス");
    EXPECT_EQ(book.find("bossbig0.bmp")->name, "番犬ゴンザレス");
    EXPECT_EQ(book.find("en999.bmp"), nullptr);
}

TEST(Cggen, ANameChangesItsPictureAndAMissingContentFolderIsFine) {
    cggen::NameBook missing;
    missing.read_dir(fs::temp_directory_path() / "cggen_no_such_folder_here");
    EXPECT_EQ(missing.size(), 0u);

    cggen::NameBook slime, dragon;
    slime.add_text("12\tスライム\ten012.bmp\n");
    dragon.add_text("12\tドラゴン\ten012.bmp\n");
    auto draw = [](const cggen::NameBook& book) {
        for (auto& p : cggen::all_pictures(book))
            if (p.file == "en012.bmp") return p.draw().to_image();
        return QImage();
    };
    EXPECT_NE(draw(slime), draw(dragon));
    EXPECT_EQ(draw(slime), draw(slime));
}
