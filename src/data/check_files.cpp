// The data checker, step by step: the pictures and the sounds and music that
// the game and its data ask for.
#include <QImage>
#include <filesystem>

#include "data/check_steps.h"
#include "data/midi.h"
#include "data/picture.h"
#include "data/reader.h"

namespace z2::checker {

Checker::Pic Checker::picture_state(const std::string& file) {
  auto it = pics_.find(file);
  if (it != pics_.end()) return it->second;
  const std::string path = root_ + "cg/" + file;
  Pic p = Pic::Ok;
  QImage img;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    p = Pic::Missing;
  } else if (!load_picture(img, path)) {
    p = Pic::Unreadable;
  }
  pics_.emplace(file, p);
  return p;
}

// `where` names the field that asks for it ("dat/enemy.dat: record 3: picture").
void Checker::picture(const std::string& where, const std::string& file) {
  switch (picture_state(file)) {
    case Pic::Ok:
      break;
    case Pic::Missing:
      report(where + " cg/" + file + " is missing");
      break;
    case Pic::Unreadable:
      report(where + " cg/" + file + " cannot be read as a picture");
      break;
  }
}

void Checker::fixed_picture(const std::string& file, const std::string& use) {
  switch (picture_state(file)) {
    case Pic::Ok:
      break;
    case Pic::Missing:
      report("cg/" + file + ": missing (" + use + ")");
      break;
    case Pic::Unreadable:
      report("cg/" + file + ": cannot be read as a picture (" + use + ")");
      break;
  }
}

void Checker::pictures() {
  for (const FixedFile& f : kPictures) fixed_picture(f.name, f.use);
  for (int f = 0; f < kFloors; ++f) {
    fixed_picture("haikei" + std::to_string(f) + ".bmp", "background of floor " + std::to_string(f));
  }
}

// Missing, or not what its extension says (a wave file is RIFF/WAVE, music a standard MIDI file).
std::string Checker::sound_fault(const std::string& file) {
  const std::string path = root_ + "dat/" + file;
  std::error_code ec;
  // A file that cannot even be looked at (a loop of links) is no missing one: the read says why.
  if (!std::filesystem::exists(path, ec) && !ec) return "missing";
  std::string bytes;
  try {
    bytes = read_file_bytes(path);
  } catch (const DataError& e) {
    return "cannot be read: " + e.reason();
  }
  const bool wave = file.size() > 4 && file.compare(file.size() - 4, 4, ".wav") == 0;
  const bool midi = file.size() > 4 && file.compare(file.size() - 4, 4, ".mid") == 0;
  if (wave && !(bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "WAVE") == 0)) {
    return "not a wave file";
  }
  // The game plays such a piece as silence; the author has to know.
  if (midi) {
    const std::string why = midi_fault(bytes);
    if (why == "not a MIDI file") return why;
    if (!why.empty()) return "a MIDI file that cannot be played (" + why + ")";
  }
  return {};
}

void Checker::sounds() {
  for (const FixedFile& f : kSounds) {
    const std::string fault = sound_fault(f.name);
    if (!fault.empty()) report(dat(f.name) + ": " + fault + " (" + f.use + ")");
  }
  std::map<std::string, std::string> colosseum;  // music -> floors
  for (int f = 0; f < kFloors; ++f) {
    const std::string music = colosseum_bgm(f);
    if (music.empty()) continue;
    std::string& floors = colosseum[music];
    floors += (floors.empty() ? "" : ", ") + std::to_string(f);
  }
  for (const auto& [file, floors] : colosseum) {
    const std::string fault = sound_fault(file);
    if (!fault.empty()) report(dat(file) + ": " + fault + " (colosseum music of floor " + floors + ")");
  }
  if (!ok_[kMd]) return;
  bool any = false;
  for (int i = 0; i < static_cast<int>(t_->md_table.size()); ++i) {
    const MdRecord& m = t_->md_table[static_cast<size_t>(i)];
    if (m.md_name.empty()) continue;
    any = any || i < kDiscDraws;
    if (m.md_file.empty()) {
      report(rec(kMd, i) + quoted(m.md_name) + ": the disc has no music file");
      continue;
    }
    const std::string fault = sound_fault(m.md_file);
    if (!fault.empty()) report(rec(kMd, i) + quoted(m.md_name) + ": music " + dat(m.md_file) + " is " + fault);
  }
  if (!any) report(master(kMd) + ": no named disc among ids 0..254: the disc drop needs one");
}

}  // namespace z2::checker
