#include "state/vars.h"

#include <charconv>

#include "state/ids.h"

namespace z2 {
namespace {

template <auto M>
std::span<i32> arr_of(GameState& s) { return std::span<i32>((s.*M).data(), (s.*M).size()); }

Var I(std::string_view n, i32 GameState::*p) { return {n, Var::Type::Int, p, nullptr, nullptr, nullptr}; }
Var S(std::string_view n, std::string GameState::*p) { return {n, Var::Type::Str, nullptr, p, nullptr, nullptr}; }
Var B(std::string_view n, bool GameState::*p) { return {n, Var::Type::Bool, nullptr, nullptr, p, nullptr}; }
Var A(std::string_view n, std::span<i32> (*f)(GameState&)) { return {n, Var::Type::Array, nullptr, nullptr, nullptr, f}; }


}  // namespace

const std::vector<Var>& all_vars() {
  static const std::vector<Var> vars = {
      S("my_name", &GameState::my_name), I("score", &GameState::score), I("my_lv", &GameState::my_lv),
      I("floor", &GameState::floor), I("my_hp", &GameState::my_hp), I("my_hp_max", &GameState::my_hp_max),
      I("my_mp", &GameState::my_mp), I("my_mp_max", &GameState::my_mp_max), I("my_atk", &GameState::my_atk),
      I("my_body", &GameState::my_body), I("my_int", &GameState::my_int), I("my_state", &GameState::my_state),
      I("my_exp", &GameState::my_exp), I("cent", &GameState::cent), I("ark", &GameState::ark),
      A("item_have", arr_of<&GameState::item_have>), A("monster_have", arr_of<&GameState::monster_have>),
      A("monster_lv", arr_of<&GameState::monster_lv>), A("gomi_have", arr_of<&GameState::gomi_have>),
      A("floor_clear", arr_of<&GameState::floor_clear>), I("buki_pow", &GameState::buki_pow),
      I("bougu_pow", &GameState::bougu_pow), S("buki_name", &GameState::buki_name),
      S("bougu_name", &GameState::bougu_name), A("magic_have", arr_of<&GameState::magic_have>),
      A("item_book", arr_of<&GameState::item_book>), A("monster_book", arr_of<&GameState::monster_book>),
      A("md_book", arr_of<&GameState::md_book>), I("play_time", &GameState::play_time),
      I("text_speed", &GameState::text_speed), A("class_exp", arr_of<&GameState::class_exp>),
      I("class_now", &GameState::class_now), A("md_have", arr_of<&GameState::md_have>),
      I("wata_out", &GameState::wata_out), I("buki_ex", &GameState::buki_ex), I("my_beast", &GameState::my_beast),
      I("wata", &GameState::wata), I("wild", &GameState::wild), I("combo", &GameState::combo),
      I("ark_max", &GameState::ark_max),
      // transient
      B("can_punch", &GameState::can_punch), B("can_magic", &GameState::can_magic),
      B("can_beast", &GameState::can_beast), B("can_item", &GameState::can_item),
      B("in_battle", &GameState::in_battle), B("host_mode", &GameState::host_mode),
      B("no_escape", &GameState::no_escape), I("colo_count", &GameState::colo_count),
      B("room_battle", &GameState::room_battle), B("hard_room", &GameState::hard_room),
      I("death_guard", &GameState::death_guard), I("list_sel", &GameState::list_sel),
      I("open_page", &GameState::open_page), I("msg_wait", &GameState::msg_wait),
      // opponent and boss file
      I("e_id", &GameState::e_id), S("e_name", &GameState::e_name), I("e_lv", &GameState::e_lv),
      I("e_hp", &GameState::e_hp), I("e_hp_max", &GameState::e_hp_max), I("e_state", &GameState::e_state),
      I("e_buf_atk", &GameState::e_buf_atk), I("e_buf_def", &GameState::e_buf_def),
      I("e_zoku", &GameState::e_zoku), I("e_item", &GameState::e_item), S("boss_name", &GameState::boss_name),
      S("boss_pic", &GameState::boss_pic), S("boss_big_pic", &GameState::boss_big_pic),
      I("boss_lv", &GameState::boss_lv), I("boss_hp", &GameState::boss_hp),
  };
  return vars;
}

const Var* find_var(std::string_view name) {
  for (const Var& v : all_vars())
    if (v.name == name) return &v;
  return nullptr;
}

const std::vector<SaveRun>& save_layout() {
  static const std::vector<SaveRun> runs = [] {
    std::vector<SaveRun> r;
    auto scalar = [&](std::string_view n) { r.push_back({find_var(n), 0, 1}); };
    auto array = [&](std::string_view n, int first, int count) { r.push_back({find_var(n), first, count}); };
    for (auto n : {"my_name", "score", "my_lv", "floor", "my_hp", "my_hp_max", "my_mp", "my_mp_max", "my_atk",
                   "my_body", "my_int", "my_state", "my_exp", "cent", "ark"})
      scalar(n);
    array("item_have", 0, 500);
    array("monster_have", 0, 500);
    array("monster_lv", 0, 500);
    array("gomi_have", 0, 500);
    array("floor_clear", 0, fc::kUnused);
    for (auto n : {"buki_pow", "bougu_pow", "buki_name", "bougu_name"}) scalar(n);
    array("floor_clear", fc::kZando, fc::kEscapes - fc::kZando + 1);
    array("magic_have", 0, 256);
    array("item_book", 0, 500);
    array("monster_book", 0, 500);
    array("md_book", 0, 256);
    scalar("play_time");
    scalar("text_speed");
    array("class_exp", 0, 256);
    scalar("class_now");
    array("md_have", 0, 256);
    for (auto n : {"wata_out", "buki_ex", "my_beast", "wata", "wild", "combo", "ark_max"}) scalar(n);
    return r;
  }();
  return runs;
}

int save_line_count() {
  int n = 0;
  for (const SaveRun& r : save_layout()) n += r.count;
  return n;
}

std::optional<VarRefParsed> parse_var_ref(std::string_view text) {
  VarRefParsed r;
  std::string_view name = text;
  int index = -1;
  if (auto lb = text.find('['); lb != std::string_view::npos) {
    if (text.back() != ']') return std::nullopt;
    std::string_view num = text.substr(lb + 1, text.size() - lb - 2);
    auto [p, ec] = std::from_chars(num.data(), num.data() + num.size(), index);
    if (ec != std::errc() || p != num.data() + num.size() || index < 0) return std::nullopt;
    name = text.substr(0, lb);
  }
  if (name == "key_have") {  // alias: key_have[k] = item_have[247 + k]
    if (index < 0 || index + item::kKeyBase >= 500) return std::nullopt;
    r.var = find_var("item_have");
    r.index = index + item::kKeyBase;
    return r;
  }
  r.var = find_var(name);
  if (!r.var) return std::nullopt;
  if (r.var->type == Var::Type::Array) {
    if (index < 0) return std::nullopt;
    r.index = index;
  } else if (index >= 0) {
    return std::nullopt;
  }
  return r;
}

std::string var_get(GameState& s, const VarRefParsed& r) {
  const Var& v = *r.var;
  switch (v.type) {
    case Var::Type::Int: return std::to_string(s.*(v.ip));
    case Var::Type::Str: return s.*(v.sp);
    case Var::Type::Bool: return (s.*(v.bp)) ? "1" : "0";
    case Var::Type::Array: {
      auto a = v.arr(s);
      if (static_cast<size_t>(r.index) >= a.size()) return "";
      return std::to_string(a[static_cast<size_t>(r.index)]);
    }
  }
  return "";
}

bool var_set(GameState& s, const VarRefParsed& r, std::string_view value) {
  const Var& v = *r.var;
  if (v.type == Var::Type::Str) {
    s.*(v.sp) = std::string(value);
    return true;
  }
  i32 n = 0;
  auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc() || p != value.data() + value.size()) return false;
  switch (v.type) {
    case Var::Type::Int: s.*(v.ip) = n; return true;
    case Var::Type::Bool: s.*(v.bp) = n != 0; return true;
    case Var::Type::Array: {
      auto a = v.arr(s);
      if (static_cast<size_t>(r.index) >= a.size()) return false;
      a[static_cast<size_t>(r.index)] = n;
      return true;
    }
    default: return false;
  }
}

}  // namespace z2
