#pragma once
// A standard MIDI file checked event by event before the synthesizer gets
// it. The synthesizer has no answer to a file it cannot parse: asked to loop
// such a piece it tries again and again inside the sound device's callback,
// for ever. So only a file that parses to its end, with something to play,
// is handed to it.
#include <string>
#include <string_view>

namespace z2 {

// Why `bytes` cannot be played as a piece of music, for a data author, or
// empty when it can. A RIFF-wrapped file (RMID) is judged by the
// standard MIDI file inside it.
std::string midi_fault(std::string_view bytes);

// The standard MIDI file inside `bytes`: the data chunk of an RMID, or
// `bytes` themselves. Call only on bytes midi_fault accepted.
std::string_view midi_payload(std::string_view bytes);

}  // namespace z2
