// The table of list captions: each caption names one mode and one table, and
// every mode but the empty one is reachable from some caption.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "lists/list_modes.h"

using namespace z2;

TEST(ListModes, EveryCaptionMapsToOneModeAndBack) {
  std::set<std::string_view> seen;
  for (const ListCaption& c : kListCaptions) {
    EXPECT_TRUE(seen.insert(c.caption).second) << "caption twice: " << c.caption;
    const ListCaption* found = list_caption(c.caption);
    ASSERT_NE(found, nullptr) << c.caption;
    EXPECT_EQ(found, &c);
    EXPECT_GT(list_table_size(c.table), 0);
  }
  for (int m = 0; m <= static_cast<int>(ListMode::WildShop); ++m) {
    int captions = 0;
    for (const ListCaption& c : kListCaptions) captions += static_cast<int>(c.mode) == m;
    if (m == static_cast<int>(ListMode::Empty)) {
      EXPECT_EQ(captions, 0);
    } else {
      EXPECT_GE(captions, 1) << "mode " << m << " has no caption";
    }
  }
  // The three lists of monsters and the two of garbage share their modes.
  EXPECT_EQ(list_caption(caption::kFusion)->mode, ListMode::Monsters);
  EXPECT_EQ(list_caption(caption::kFeed)->mode, ListMode::Garbage);
  EXPECT_EQ(list_caption(caption::kSell)->table, ListTable::Item);
}

TEST(ListModes, OtherTextsAreNoCaption) {
  EXPECT_EQ(list_caption("リスト"), nullptr);  // the panel's caption at start-up
  EXPECT_EQ(list_caption(""), nullptr);
  EXPECT_EQ(list_caption("魔法 "), nullptr);
}
