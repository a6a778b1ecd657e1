// datgen: turns the UTF-8 content sources under content/ into the game's
// CP932 data files (dat/*.dat, one value per line, CR LF line ends).
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace datgen {

// A fault in a content source. file() and line() point at it; line 0 means
// the file as a whole.
class SourceError : public std::runtime_error {
 public:
  SourceError(std::string file, int line, const std::string& message);
  const std::string& file() const { return file_; }
  int line() const { return line_; }
  const std::string& message() const { return message_; }

 private:
  std::string file_;
  int line_;
  std::string message_;
};

// UTF-8 -> CP932. Throws std::invalid_argument naming the first character
// that CP932 cannot hold (or the first malformed UTF-8 byte).
std::string to_cp932(std::string_view utf8);
// CP932 -> UTF-8; throws std::invalid_argument on bytes that are not CP932.
std::string from_cp932(std::string_view cp932);

// ---------------------------------------------------------------------------
// Master tables

enum class FieldKind {
  Text,     // a whole line of text
  Int,      // a signed 32-bit decimal
  ItemRef,  // an item id, or the exact name of an item
  CarryRef  // what an enemy carries: -1, 0, an item id or name, 1000+g,
            // or "ゴミ:" followed by the name of a garbage
};

struct Field {
  std::string name;
  FieldKind kind;
};

struct Schema {
  std::string source;     // file under content/, e.g. "enemy.tsv"
  std::string output;     // file under dat/, e.g. "enemy.dat"
  int records;            // records written, always all of them
  std::vector<Field> fields;
  std::vector<std::string> blank;  // values of a record the source omits
};

// The twelve master files in the order the game reads them.
const std::vector<Schema>& master_schemas();
const Schema& schema_for(std::string_view source);

struct Record {
  bool present = false;             // written in the source
  int line = 0;                     // source line (0 for an omitted record)
  std::vector<std::string> values;  // one per field, UTF-8; ints as decimal
};

struct Table {
  const Schema* schema = nullptr;
  std::string file;  // source path used in messages
  std::vector<Record> records;

  const Record& at(int id) const { return records.at(static_cast<size_t>(id)); }
  const std::string& text(int id, std::string_view field) const;
  int32_t num(int id, std::string_view field) const;
  int field_index(std::string_view field) const;
};

// Source format: one record per line, fields separated by tabs, the record
// id first. Blank lines and lines starting with '#' are comments; after the
// last field one more column starting with '#' may hold a note. Ids not
// written get the schema's blank record.
Table parse_table(const Schema& schema, std::string_view text, const std::string& file);

// Replaces item names in ItemRef / CarryRef fields by ids, using the item
// and garbage tables. Throws SourceError for an unknown name.
void resolve_refs(Table& table, const Table& items, const Table* gomi);

// Data file bytes: every field of every record on its own line, CP932,
// CR LF after every line. Throws SourceError (naming the record's source
// line) for text CP932 cannot hold.
std::string render_table(const Table& table);

// ---------------------------------------------------------------------------
// Boss files: "key: value" lines (name, pic, big, lv, hp, talk1..talk5).

struct Boss {
  int number = 0;
  std::string file;
  std::string name, pic, big;
  int32_t lv = 0, hp = 0;
  std::string talk[5];
  std::map<std::string, int> lines;  // key -> source line
};

Boss parse_boss(int number, std::string_view text, const std::string& file);
std::string render_boss(const Boss& boss);

// ---------------------------------------------------------------------------
// Plain text files (open.dat, staff.dat): every source line is a data line.

struct Plain {
  std::string file;
  std::vector<std::string> lines;
};

Plain parse_plain(std::string_view text, const std::string& file, size_t max_lines);
std::string render_plain(const Plain& plain);

// ---------------------------------------------------------------------------
// The whole content set.

struct Content {
  std::string dir;
  std::map<std::string, Table> tables;  // by source name ("item.tsv")
  std::map<int, Boss> bosses;           // 0..24 and 99
  Plain open, staff;

  const Table& table(std::string_view source) const;
};

// Boss numbers the game reads: the colosseum floors and the final gauntlet.
std::vector<int> boss_numbers();

// Reads every source under dir. Throws SourceError on the first fault.
Content load_content(const std::string& dir);

struct Issue {
  std::string file;
  int line = 0;
  std::string message;
};

// Rules the game relies on (fixed-role ids, usable enemy bands, prices that
// cannot be turned into profit, ...). An empty result means the set is sound.
std::vector<Issue> check_content(const Content& content);

// Writes every data file into out_dir (created if missing); returns the file
// names written, in a fixed order. Each file is replaced atomically.
std::vector<std::string> write_content(const Content& content, const std::string& out_dir);

}  // namespace datgen
