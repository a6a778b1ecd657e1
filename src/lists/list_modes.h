#pragma once
// The list panel's caption is the key of everything it does: which table a
// row names, how list_open fills it, what list_about writes and what OK does.
// Every caption lives here once; openers and actions use these constants.
#include <string_view>

namespace z2 {

// The fillings of list_open, by its mode number.
enum class ListMode : int {
  Consumables = 0,  // owned items that are neither weapon nor armour
  Monsters = 1,     // owned monsters
  Garbage = 2,      // owned garbage
  Equipment = 3,    // owned weapons, then owned armour
  Buy = 4,          // the shop's offer
  Sell = 5,         // as Consumables
  Magic = 6,        // spells known
  Discs = 7,        // owned music discs
  Classes = 8,      // the classes the level allows
  Empty = 9,        // nothing
  WildShop = 10,    // the WILD shop's offer
};

// The master table whose records the rows name.
enum class ListTable { Item, Monster, Garbage, Magic, Disc, Class };

namespace caption {
inline constexpr std::string_view kItems = "消費アイテム";
inline constexpr std::string_view kMonsters = "モンスター";  // in a fight
inline constexpr std::string_view kOwnedMonsters = "所持しているモンスター";  // outside a fight
inline constexpr std::string_view kFusion = "合成";  // the monster workshop
inline constexpr std::string_view kGarbage = "ゴミ";
inline constexpr std::string_view kFeed = "どれを食べさせますか？";  // the garbage room
inline constexpr std::string_view kEquipment = "武器・防具";
inline constexpr std::string_view kBuy = "買う";
inline constexpr std::string_view kSell = "売る";
inline constexpr std::string_view kMagic = "魔法";
inline constexpr std::string_view kDiscs = "ＭＤ";
inline constexpr std::string_view kClassChange = "クラスチェンジ";
inline constexpr std::string_view kWildShop = "WILD SHOP";
}  // namespace caption

struct ListCaption {
  std::string_view caption;
  ListMode mode;
  ListTable table;
};

inline constexpr ListCaption kListCaptions[] = {
    {caption::kItems, ListMode::Consumables, ListTable::Item},
    {caption::kMonsters, ListMode::Monsters, ListTable::Monster},
    {caption::kOwnedMonsters, ListMode::Monsters, ListTable::Monster},
    {caption::kFusion, ListMode::Monsters, ListTable::Monster},
    {caption::kGarbage, ListMode::Garbage, ListTable::Garbage},
    {caption::kFeed, ListMode::Garbage, ListTable::Garbage},
    {caption::kEquipment, ListMode::Equipment, ListTable::Item},
    {caption::kBuy, ListMode::Buy, ListTable::Item},
    {caption::kSell, ListMode::Sell, ListTable::Item},
    {caption::kMagic, ListMode::Magic, ListTable::Magic},
    {caption::kDiscs, ListMode::Discs, ListTable::Disc},
    {caption::kClassChange, ListMode::Classes, ListTable::Class},
    {caption::kWildShop, ListMode::WildShop, ListTable::Item},
};

// The entry of a caption; nullptr for any other text (such a caption has no
// table, no about text and no action).
constexpr const ListCaption* list_caption(std::string_view text) {
  for (const ListCaption& c : kListCaptions)
    if (c.caption == text) return &c;
  return nullptr;
}

// Records in each master table the panel can name.
constexpr int list_table_size(ListTable t) {
  switch (t) {
    case ListTable::Item:
    case ListTable::Monster:
    case ListTable::Garbage:
      return 500;
    case ListTable::Magic:
    case ListTable::Disc:
    case ListTable::Class:
      return 256;
  }
  return 0;
}

}  // namespace z2
