#include "options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <charconv>
#include <iostream>

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

}  // namespace

const char* program_version() { return ZANDO_VERSION; }

ParsedOptions parse_options(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "ZANDO ARENA 2: a single-player, turn-based arena role-playing game.\n"
      "\n"
      "  zando2 [--root DIR]                the game in its window\n"
      "  zando2 --headless [--script FILE]  without a window: commands in, a transcript out\n"
      "  zando2 --check-data [--root DIR]   check the data files and exit"));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and exit."));
  const QCommandLineOption root(
      QStringLiteral("root"),
      QStringLiteral("The program folder DIR that holds dat/ and cg/ (default: beside the program, "
                     "else the folder the build laid out)."),
      QStringLiteral("DIR"));
  const QCommandLineOption headless(QStringLiteral("headless"),
                                    QStringLiteral("Run without a window: read commands, write a transcript."));
  const QCommandLineOption seed(QStringLiteral("seed"),
                                QStringLiteral("Seed the random generator with N (0 to 4294967295; "
                                               "otherwise from the clock)."),
                                QStringLiteral("N"));
  const QCommandLineOption script(
      QStringLiteral("script"),
      QStringLiteral("Headless: read commands from FILE instead of standard input."),
      QStringLiteral("FILE"));
  const QCommandLineOption zoom(QStringLiteral("zoom"),
                                QStringLiteral("Window: start at zoom N (1 to 4) for this run."),
                                QStringLiteral("N"));
  const QCommandLineOption fullscreen(QStringLiteral("fullscreen"),
                                      QStringLiteral("Window: start in full screen for this run."));
  const QCommandLineOption mute(QStringLiteral("mute"), QStringLiteral("Window: start muted for this run."));
  const QCommandLineOption fast(QStringLiteral("fast"),
                                QStringLiteral("Headless: hold the fast-forward for the whole run (pauses "
                                               "count a tenth)."));
  const QCommandLineOption record(
      QStringLiteral("record"),
      QStringLiteral("Window: write the session (its seed, every click, answer, entry and timer "
                     "tick) to FILE as a script that --headless --script FILE plays again."),
      QStringLiteral("FILE"));
  const QCommandLineOption debug_panel(QStringLiteral("debug-panel"),
                                       QStringLiteral("Show the debug panel at start-up."));
  const QCommandLineOption answer(
      QStringLiteral("answer"),
      QStringLiteral("Headless: the answer to a yes/no box when no answer command is queued "
                     "(default yes)."),
      QStringLiteral("yes|no"));
  const QCommandLineOption check_data(QStringLiteral("check-data"),
                                      QStringLiteral("Check every data file of the program folder, "
                                                     "report problems one per line and exit "
                                                     "(status 1 when any)."));
  for (const QCommandLineOption* o :
       {&help, &version, &root, &headless, &seed, &script, &record, &debug_panel, &answer, &fast, &zoom, &fullscreen,
        &mute, &check_data})
    parser.addOption(*o);

  ParsedOptions out;
  const auto fail = [&out](const QString& why) {
    out.outcome = ParsedOptions::Outcome::Error;
    out.text = why.toStdString();
    return out;
  };
  if (!parser.parse(args)) return fail(parser.errorText());
  if (parser.isSet(help)) {
    out.outcome = ParsedOptions::Outcome::Help;
    // Without an application object Qt does not know the program's name.
    out.text = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("zando2")).toStdString();
    return out;
  }
  if (parser.isSet(version)) {
    out.outcome = ParsedOptions::Outcome::Version;
    out.text = std::string("zando2 ") + program_version() + "\n";
    return out;
  }
  if (!parser.positionalArguments().isEmpty())
    return fail(QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));

  Options& o = out.options;
  o.headless = parser.isSet(headless);
  o.debug_panel = parser.isSet(debug_panel);
  o.check_data = parser.isSet(check_data);
  o.fast = parser.isSet(fast);
  o.fullscreen = parser.isSet(fullscreen);
  o.mute = parser.isSet(mute);
  if (parser.isSet(zoom)) {
    const QString z = parser.value(zoom);
    if (z.size() != 1 || z[0] < QLatin1Char('1') || z[0] > QLatin1Char('4'))
      return fail(QStringLiteral("--zoom takes 1, 2, 3 or 4, not '%1'.").arg(z));
    o.zoom = z[0].unicode() - '0';
  }
  if (parser.isSet(root)) {
    o.root = local_path(parser.value(root));
    if (o.root.empty()) return fail(QStringLiteral("--root needs a folder."));
  }
  if (parser.isSet(script)) {
    o.script = local_path(parser.value(script));
    if (o.script.empty()) return fail(QStringLiteral("--script needs a file."));
  }
  if (parser.isSet(record)) {
    o.record = local_path(parser.value(record));
    if (o.record.empty()) return fail(QStringLiteral("--record needs a file."));
    // A headless run is a script already; recording it would only copy it.
    if (o.headless) return fail(QStringLiteral("--record records the window; it does not go with --headless."));
  }
  if (parser.isSet(seed)) {
    o.seed = parse_seed(parser.value(seed));
    if (!o.seed) return fail(QStringLiteral("--seed needs a number from 0 to 4294967295, not '%1'.")
                                 .arg(parser.value(seed)));
  }
  if (parser.isSet(answer)) {
    const QString a = parser.value(answer);
    if (a != QLatin1String("yes") && a != QLatin1String("no"))
      return fail(QStringLiteral("--answer takes yes or no, not '%1'.").arg(a));
    o.answer_yes = a == QLatin1String("yes");
  }
  return out;
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
