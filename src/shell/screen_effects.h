#pragma once
// The screen effects: a flash, a stripe or a burst on one of the two
// portraits. What each one draws is the table in shell/pictures.cpp, row for
// row in this order.
namespace z2 {

// Foe draws on the opponent's portrait, Player on the player's. A colour
// alone flashes the whole portrait; Rise runs a stripe up it, Fall down it.
enum class Fx : int {
  None = -1,  // no effect
  FoeRed,
  PlayerRed,
  FoeBlueRise,
  PlayerBlueRise,
  FoePink,
  PlayerPink,
  FoeGreenBurst,
  PlayerGreenBurst,
  FoeWhite,
  PlayerWhite,
  FoeYellowRise,
  PlayerYellowRise,
  FoeYellowFall,
  PlayerYellowFall,
  CleanerChews,  // the garbage room's cleaner chews on the opponent's portrait
  FoePurple,
  PlayerPurple,
  PlayerLilacRise,
  FoeYellow,
  PlayerBlueFall,
  PlayerLilacFall,
};

// How many effects there are: Fx::None and numbers from here on draw nothing.
inline constexpr int kFxCount = static_cast<int>(Fx::PlayerLilacFall) + 1;

}  // namespace z2
