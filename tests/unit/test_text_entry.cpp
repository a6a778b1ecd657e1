// What the naming field takes: found by the chaos run, a typed wave dash 〜
// was kept as typed but saved as ～, so a weapon named with it changed its
// name between a save and the next COUNTINUE.
#include <gtest/gtest.h>

#include <memory>

#include "data/cp932.h"
#include "data/save.h"
#include "data/tables.h"
#include "game_fixture.h"
#include "shell/text_entry.h"

using namespace z2;

TEST(TextEntry, TheFieldHoldsEveryCharacterInTheFormASaveBringsBack) {
  test::NewGame t("mini");
  Control& field = t.g.ui.name_l;
  ASSERT_TRUE(edit_typed(t.g, field, "波〜剣"));
  EXPECT_EQ(field.text, "波～剣");

  // The name goes through the save file and comes back the same.
  t.g.s.buki_name = field.text;
  std::string why;
  ASSERT_TRUE(write_file_atomic(t.g.save_path(), save_bytes(t.g.s), &why)) << why;
  auto back = std::make_unique<GameState>();
  load_save(*back, t.g.save_path());
  EXPECT_EQ(back->buki_name, "波～剣");

  // Every other character with two forms that the field takes is held in the
  // form that the files give back.
  for (const char* c : {"−", "‖", "¢", "£", "¬", "—", "～", "∥", "￢", "髙", "①", "ｱ"}) {
    const std::string typed = std::string("名") + c;
    if (!edit_typed(t.g, field, typed)) continue;
    EXPECT_EQ(cp932_to_utf8(utf8_to_cp932(field.text)), field.text) << c;
  }
  // Text without such characters is taken as it was typed.
  ASSERT_TRUE(edit_typed(t.g, field, "ｱﾚｸ 二世"));
  EXPECT_EQ(field.text, "ｱﾚｸ 二世");
  EXPECT_EQ(t.transcript(), "");
}
