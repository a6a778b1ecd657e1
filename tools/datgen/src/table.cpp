#include <charconv>
#include <set>

#include "datgen/datgen.hpp"
#include "state/carried.h"
#include "text_util.hpp"

namespace datgen {

SourceError::SourceError(std::string file, int line, const std::string& message)
    : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
                         message),
      file_(std::move(file)),
      line_(line),
      message_(message) {}

namespace {

Field text(const char* n) { return {n, FieldKind::Text}; }
Field num(const char* n) { return {n, FieldKind::Int}; }

std::vector<Schema> make_schemas() {
  std::vector<Schema> s;
  s.push_back({"name.tsv", "name.dat", 226, {text("name")}, {""}});
  // The status panel hides the extra-effect line for "なし", so every unused
  // effect number says so.
  s.push_back({"ex.tsv", "ex.dat", 256, {text("name")}, {"なし"}});
  s.push_back({"map.tsv", "map.dat", 256, {text("name")}, {""}});
  s.push_back({"md.tsv", "md.dat", 256, {text("md_name"), text("md_about"), text("md_file")}, {"", "", ""}});
  s.push_back({"enemy.tsv",
               "enemy.dat",
               255,
               {text("en_name"), text("en_pic"), num("en_hp"), num("en_state"), num("en_zoku"),
                {"en_item", FieldKind::CarryRef}, num("en_act1"), num("en_act2"), num("en_act3"),
                num("en_act4"), num("en_act5")},
               {"", "", "0", "0", "0", "-1", "0", "0", "0", "0", "0"}});
  s.push_back({"item.tsv",
               "item.dat",
               500,
               {text("it_name"), text("it_about"), num("it_kind"), num("it_pow"), num("it_rare"),
                num("it_ex")},
               {"", "", "0", "0", "0", "0"}});
  s.push_back({"shop.tsv", "shop.dat", 256, {{"sh_item", FieldKind::ItemRef}, num("sh_price")}, {"0", "0"}});
  s.push_back({"wild.tsv", "wild.dat", 256, {{"wi_item", FieldKind::ItemRef}, num("wi_price")}, {"0", "0"}});
  s.push_back({"job.tsv",
               "job.dat",
               256,
               {text("jb_name"), text("jb_about"), num("jb_spare"), num("jb_cost"), num("jb_wild")},
               {"", "", "0", "0", "0"}});
  s.push_back({"gomi.tsv",
               "gomi.dat",
               500,
               {text("gm_name"), text("gm_about"), num("gm_floor"), num("gm_spare")},
               {"", "", "0", "0"}});
  s.push_back({"monster.tsv",
               "monster.dat",
               500,
               {text("mo_name"), text("mo_about"), text("mo_pic"), num("mo_kind"), num("mo_pow"),
                num("mo_mp"), num("mo_ex"), num("mo_gousei")},
               {"", "", "", "0", "0", "0", "0", "0"}});
  s.push_back({"magic.tsv",
               "magic.dat",
               256,
               {text("mg_name"), text("mg_about"), num("mg_kind"), num("mg_ark")},
               {"", "", "0", "0"}});
  return s;
}

}  // namespace

const std::vector<Schema>& master_schemas() {
  static const std::vector<Schema> schemas = make_schemas();
  return schemas;
}

const Schema& schema_for(std::string_view source) {
  for (const Schema& s : master_schemas()) {
    if (s.source == source) return s;
  }
  throw std::out_of_range("no master file is made from " + std::string(source));
}

int Table::field_index(std::string_view field) const {
  for (size_t i = 0; i < schema->fields.size(); ++i) {
    if (schema->fields[i].name == field) return static_cast<int>(i);
  }
  throw std::out_of_range("no field " + std::string(field) + " in " + schema->source);
}

const std::string& Table::text(int id, std::string_view field) const {
  return at(id).values.at(static_cast<size_t>(field_index(field)));
}

int32_t Table::num(int id, std::string_view field) const {
  auto v = parse_int(text(id, field));
  if (!v) throw std::logic_error("field " + std::string(field) + " of record " + std::to_string(id) + " is unresolved");
  return *v;
}

Table parse_table(const Schema& schema, std::string_view text, const std::string& file) {
  Table t;
  t.schema = &schema;
  t.file = file;
  t.records.resize(static_cast<size_t>(schema.records));
  for (Record& r : t.records) r.values = schema.blank;

  const size_t nfields = schema.fields.size();
  int lineno = 0;
  for (std::string_view line : split_lines(text)) {
    ++lineno;
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string_view> cols = split(line, '\t');
    if (cols.size() == nfields + 2 && !cols.back().empty() && cols.back().front() == '#') cols.pop_back();
    if (cols.size() != nfields + 1) {
      throw SourceError(file, lineno,
                        "expected the id and " + std::to_string(nfields) + " fields (" +
                            std::to_string(nfields + 1) + " tab-separated columns), found " +
                            std::to_string(cols.size()));
    }
    auto id = parse_int(cols[0]);
    if (!id) throw SourceError(file, lineno, "the id '" + std::string(cols[0]) + "' is not an integer");
    if (*id < 0 || *id >= schema.records) {
      throw SourceError(file, lineno,
                        "id " + std::to_string(*id) + " is out of range 0.." + std::to_string(schema.records - 1));
    }
    Record& rec = t.records[static_cast<size_t>(*id)];
    if (rec.present) {
      throw SourceError(file, lineno,
                        "id " + std::to_string(*id) + " is already given on line " + std::to_string(rec.line));
    }
    rec.present = true;
    rec.line = lineno;
    for (size_t f = 0; f < nfields; ++f) {
      std::string_view v = cols[f + 1];
      const Field& field = schema.fields[f];
      try {
        switch (field.kind) {
          case FieldKind::Text:
            check_text(v);
            break;
          case FieldKind::Int:
            if (!parse_int(v)) throw std::invalid_argument("'" + std::string(v) + "' is not an integer");
            break;
          case FieldKind::ItemRef:
          case FieldKind::CarryRef:
            if (v.empty()) throw std::invalid_argument("is empty (write an id or a name)");
            check_text(v);
            break;
        }
      } catch (const std::invalid_argument& e) {
        throw SourceError(file, lineno, "field " + field.name + ": " + e.what());
      }
      rec.values[f] = std::string(v);
    }
  }
  return t;
}

void resolve_refs(Table& table, const Table& items, const Table* gomi) {
  static const std::string kGomi = "ゴミ:";
  auto find = [](const Table& t, std::string_view name_field, const std::string& name) -> int {
    int found = -1;
    const int col = t.field_index(name_field);
    for (size_t i = 0; i < t.records.size(); ++i) {
      if (t.records[i].values[static_cast<size_t>(col)] == name) {
        if (found >= 0) return -2;
        found = static_cast<int>(i);
      }
    }
    return found;
  };
  for (size_t f = 0; f < table.schema->fields.size(); ++f) {
    const Field& field = table.schema->fields[f];
    if (field.kind != FieldKind::ItemRef && field.kind != FieldKind::CarryRef) continue;
    for (Record& rec : table.records) {
      std::string& v = rec.values[f];
      if (parse_int(v)) continue;
      int id;
      std::string what;
      if (field.kind == FieldKind::CarryRef && v.rfind(kGomi, 0) == 0) {
        if (!gomi) throw SourceError(table.file, rec.line, "field " + field.name + ": no garbage table to look up '" + v + "'");
        what = "garbage";
        id = find(*gomi, "gm_name", v.substr(kGomi.size()));
        if (id >= 0) id = z2::carried::garbage(id);
      } else {
        what = "item";
        id = find(items, "it_name", v);
      }
      if (id == -1) throw SourceError(table.file, rec.line, "field " + field.name + ": no " + what + " is named '" + v + "'");
      if (id == -2) throw SourceError(table.file, rec.line, "field " + field.name + ": more than one " + what + " is named '" + v + "'");
      v = std::to_string(id);
    }
  }
}

std::string render_table(const Table& table) {
  std::string out;
  for (const Record& rec : table.records) {
    for (size_t f = 0; f < rec.values.size(); ++f) {
      const std::string& v = rec.values[f];
      if (table.schema->fields[f].kind != FieldKind::Text && !parse_int(v)) {
        throw SourceError(table.file, rec.line, "field " + table.schema->fields[f].name + ": '" + v + "' is unresolved");
      }
      try {
        out += to_cp932(v);
      } catch (const std::invalid_argument& e) {
        throw SourceError(table.file, rec.line, "field " + table.schema->fields[f].name + ": " + e.what());
      }
      out += "\r\n";
    }
  }
  return out;
}

}  // namespace datgen
