#include "options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <algorithm>
#include <charconv>
#include <iostream>
#include <string_view>
#include <utility>

#include "option_table.h"

#ifndef ZANDO_VERSION
#define ZANDO_VERSION "0"
#endif

namespace z2 {

namespace {

std::string local_path(const QString& s) { return QFile::encodeName(s).toStdString(); }

// A seed is a whole number that fits 32 bits: a larger one or a sign is a
// mistake, not a different seed.
std::optional<uint32_t> parse_seed(const QString& s) {
  const std::string t = s.toStdString();
  if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  uint32_t v = 0;
  auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || p != t.data() + t.size()) return std::nullopt;
  return v;
}

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// An option's long name, checked against the table while compiling.
struct OptionName {
  consteval OptionName(const char* n) : name(n) {
    if (std::none_of(std::begin(kOptionTable), std::end(kOptionTable),
                     [this](const OptionSpec& o) { return o.name == name; }))
      throw "not an option of the table";
  }
  std::string_view name;
};

// What --help says before the options: the title and the ways of running,
// their explanations in one column.
QString description() {
  size_t width = 0;
  for (const UsageLine& u : kUsageLines) width = std::max(width, u.args.size());
  QString text = qstr(kProgramTitle) + QStringLiteral(": ") + qstr(kProgramSummary) + QStringLiteral(".\n\n");
  for (const UsageLine& u : kUsageLines)
    text += QStringLiteral("  zando2 ") + qstr(u.args).leftJustified(static_cast<qsizetype>(width + 2)) +
            qstr(u.what) + QLatin1Char('\n');
  text.chop(1);
  return text;
}

// The option `name` as the user typed it ("--bogus", "-x", "--seed"), for
// the parser's messages, which name it without its dashes.
QString as_typed(const QStringList& args, const QString& name) {
  for (qsizetype i = 1; i < args.size(); ++i) {
    QString a = args[i];
    if (a == QLatin1String("--")) break;
    if (!a.startsWith(QLatin1Char('-'))) continue;
    a = a.section(QLatin1Char('='), 0, 0);
    QString bare = a;
    while (bare.startsWith(QLatin1Char('-'))) bare.remove(0, 1);
    if (bare == name) return a;
  }
  return QStringLiteral("--") + name;
}

}  // namespace

const char* program_version() { return ZANDO_VERSION; }

ParsedOptions parse_options(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(description());
  for (const OptionSpec& o : kOptionTable) {
    QStringList names;
    if (!o.short_name.empty()) names << qstr(o.short_name);
    names << qstr(o.name);
    parser.addOption(QCommandLineOption(names, qstr(o.help), qstr(o.value)));
  }
  const auto is_set = [&parser](OptionName o) { return parser.isSet(qstr(o.name)); };
  const auto value = [&parser](OptionName o) { return parser.value(qstr(o.name)); };

  ParsedOptions out;
  const auto fail = [&out](const QString& why) {
    out.outcome = ParsedOptions::Outcome::Error;
    out.text = why.toStdString();
    return out;
  };
  if (!parser.parse(args)) {
    QString why = parser.errorText();
    // Qt names an option without the dashes the user typed.
    const int open = why.indexOf(QLatin1Char('\''));
    const int close = why.indexOf(QLatin1Char('\''), open + 1);
    if (open >= 0 && close > open) {
      const QString name = why.mid(open + 1, close - open - 1);
      if (!name.startsWith(QLatin1Char('-'))) why.replace(open + 1, name.size(), as_typed(args, name));
    }
    return fail(why);
  }
  if (is_set("help")) {
    out.outcome = ParsedOptions::Outcome::Help;
    // Without an application object Qt does not know the program's name.
    out.text = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("zando2")).toStdString();
    return out;
  }
  if (is_set("version")) {
    out.outcome = ParsedOptions::Outcome::Version;
    out.text = std::string("zando2 ") + program_version() + "\n";
    return out;
  }
  if (!parser.positionalArguments().isEmpty())
    return fail(QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));

  Options& o = out.options;
  o.headless = is_set("headless");
  o.debug_panel = is_set("debug-panel");
  o.check_data = is_set("check-data");
  o.saves = is_set("saves");
  o.fast = is_set("fast");
  o.fullscreen = is_set("fullscreen");
  o.mute = is_set("mute");
  if (is_set("zoom")) {
    const QString z = value("zoom");
    if (z.size() != 1 || z[0] < QLatin1Char('1') || z[0] > QLatin1Char('4'))
      return fail(QStringLiteral("--zoom takes 1, 2, 3 or 4, not '%1'.").arg(z));
    o.zoom = z[0].unicode() - '0';
  }
  if (is_set("root")) {
    o.root = local_path(value("root"));
    if (o.root.empty()) return fail(QStringLiteral("--root needs a folder."));
  }
  if (is_set("script")) {
    o.script = local_path(value("script"));
    if (o.script.empty()) return fail(QStringLiteral("--script needs a file."));
  }
  if (is_set("record")) {
    o.record = local_path(value("record"));
    if (o.record.empty()) return fail(QStringLiteral("--record needs a file."));
    // A headless run is a script already; recording it would only copy it.
    if (o.headless) return fail(QStringLiteral("--record records the window; it does not go with --headless."));
  }
  if (is_set("seed")) {
    o.seed = parse_seed(value("seed"));
    if (!o.seed) return fail(QStringLiteral("--seed needs a number from 0 to 4294967295, not '%1'.")
                                 .arg(value("seed")));
  }
  if (is_set("answer")) {
    const QString a = value("answer");
    if (a != QLatin1String("yes") && a != QLatin1String("no"))
      return fail(QStringLiteral("--answer takes yes or no, not '%1'.").arg(a));
    o.answer_yes = a == QLatin1String("yes");
  }
  return out;
}

void keep_path_bytes(Options& o, int argc, char** argv) {
  const std::pair<std::string_view, std::string*> paths[] = {
      {"--root", &o.root}, {"--script", &o.script}, {"--record", &o.record}};
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--") break;
    for (const auto& [name, out] : paths) {
      if (a == name && i + 1 < argc) {
        *out = argv[++i];
        break;
      }
      if (a.size() > name.size() && a.substr(0, name.size()) == name && a[name.size()] == '=') {
        *out = std::string(a.substr(name.size() + 1));
        break;
      }
    }
  }
}

int report_parse_outcome(const ParsedOptions& p) {
  switch (p.outcome) {
    case ParsedOptions::Outcome::Help:
    case ParsedOptions::Outcome::Version:
      std::cout << p.text;
      std::cout.flush();
      return 0;
    case ParsedOptions::Outcome::Error:
      std::cerr << "zando2: " << p.text << "\nTry 'zando2 --help' for the options.\n";
      return 2;
    case ParsedOptions::Outcome::Run:
      break;
  }
  return 0;
}

}  // namespace z2
