#pragma once
// The host entry shared by every host room (shops, church, garbage room,
// monster workshop): the room picture, the host in the opponent's place and
// the list panel with "部屋を出る".
#include <string>

#include "shell/game.h"

namespace z2 {

struct Host {
  std::string room_picture;  // cg file of the room
  std::string name;          // shown in the opponent's place
  int lv = 0;
  int hp = 0;
  std::string picture;       // slides into the opponent's portrait
};

void host_entry(Game& g, const Host& host);

}  // namespace z2
