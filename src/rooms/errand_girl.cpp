#include "rooms/errand_girl.h"

namespace z2 {

// First cut; the errand girl comes with the chest and the choice box.
void wata_arrival(Game&) {}

void bind_errand_girl(Game&) {}

}  // namespace z2
