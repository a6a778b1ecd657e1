#include "rooms/host.h"

namespace z2 {

// First cut; the service-room work builds the entry.
void host_entry(Game& g, const Host&) { g.s.host_mode = true; }

}  // namespace z2
