#pragma once
// Names of the game-state variables, for the save file, the headless driver's
// get/set/dump and the debug tools. One table, so the save order is written once.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "state/game_state.h"

namespace z2 {

struct Var {
  enum class Type { Int, Str, Bool, Array };
  std::string_view name;
  Type type;
  i32 GameState::*ip = nullptr;
  std::string GameState::*sp = nullptr;
  bool GameState::*bp = nullptr;
  std::span<i32> (*arr)(GameState&) = nullptr;
};

// One run of the save file: a whole scalar, or entries first..first+count-1 of an array.
struct SaveRun {
  const Var* var;
  int first;
  int count;
};

const std::vector<Var>& all_vars();
const Var* find_var(std::string_view name);
// The save file's value order (4160 lines).
const std::vector<SaveRun>& save_layout();
int save_line_count();

// "name" or "name[i]" parsed and checked against the table.
struct VarRefParsed {
  const Var* var = nullptr;
  int index = -1;  // -1: a scalar
};
std::optional<VarRefParsed> parse_var_ref(std::string_view text);

std::string var_get(GameState& s, const VarRefParsed& r);
// False when the value does not fit the variable (not a number for an integer).
bool var_set(GameState& s, const VarRefParsed& r, std::string_view value);

}  // namespace z2
