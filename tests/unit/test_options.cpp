// The command line of both faces: every option the scripts and the README use
// still parses as before, --help names every option, and a mistake is an
// error rather than a silently different run.
#include <gtest/gtest.h>

#include <QStringList>
#include <string>

#include "options.h"

namespace z2 {
namespace {

ParsedOptions parse(std::initializer_list<const char*> words) {
  QStringList args{QStringLiteral("zando2")};
  for (const char* w : words) args << QString::fromUtf8(w);
  return parse_options(args);
}

using Outcome = ParsedOptions::Outcome;

TEST(Options, TheCommandLinesOfScriptsAndTheReadmeParseAsBefore) {
  ParsedOptions p = parse({"--headless", "--root", "/tmp/set", "--seed", "4294967295", "--script", "a.script",
                           "--debug-panel", "--answer", "no"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.text;
  EXPECT_TRUE(p.options.headless);
  EXPECT_TRUE(p.options.debug_panel);
  EXPECT_FALSE(p.options.check_data);
  EXPECT_FALSE(p.options.answer_yes);
  EXPECT_EQ(p.options.root, "/tmp/set");
  EXPECT_EQ(p.options.script, "a.script");
  ASSERT_TRUE(p.options.seed.has_value());
  EXPECT_EQ(*p.options.seed, 4294967295u);

  p = parse({"--zoom", "3", "--fullscreen", "--mute"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.text;
  EXPECT_EQ(p.options.zoom, 3);
  EXPECT_TRUE(p.options.fullscreen);
  EXPECT_TRUE(p.options.mute);
  EXPECT_FALSE(p.options.fast);
  p = parse({"--headless", "--fast"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.text;
  EXPECT_TRUE(p.options.fast);
  EXPECT_FALSE(p.options.zoom.has_value());

  p = parse({"--check-data", "--root", "game"});
  ASSERT_EQ(p.outcome, Outcome::Run);
  EXPECT_TRUE(p.options.check_data);
  EXPECT_FALSE(p.options.headless);

  // Nothing given: the window, a clock seed, answers yes, the default folder.
  p = parse({});
  ASSERT_EQ(p.outcome, Outcome::Run);
  EXPECT_FALSE(p.options.headless);
  EXPECT_FALSE(p.options.seed.has_value());
  EXPECT_TRUE(p.options.answer_yes);
  EXPECT_TRUE(p.options.root.empty());

  // The later of two values wins, as it always did; --opt=value is Qt's other spelling.
  p = parse({"--seed", "3", "--seed=7", "--root=日本語/フォルダ"});
  ASSERT_EQ(p.outcome, Outcome::Run) << p.text;
  EXPECT_EQ(*p.options.seed, 7u);
  EXPECT_EQ(p.options.root, "日本語/フォルダ");
}

TEST(Options, HelpListsEveryOptionAndVersionPrintsTheBuildsVersion) {
  for (const char* h : {"--help", "-h"}) {
    ParsedOptions p = parse({h});
    ASSERT_EQ(p.outcome, Outcome::Help);
    for (const char* name : {"--root <DIR>", "--headless", "--seed <N>", "--script <FILE>", "--debug-panel",
                             "--answer <yes|no>", "--check-data", "--version", "--help", "--fast", "--zoom <N>",
                             "--fullscreen", "--mute"})
      EXPECT_NE(p.text.find(name), std::string::npos) << name << " missing from\n" << p.text;
  }
  // Help wins over anything else on the line, even a mistake after it.
  EXPECT_EQ(parse({"--headless", "--help", "--seed", "x"}).outcome, Outcome::Help);

  ParsedOptions v = parse({"--version"});
  ASSERT_EQ(v.outcome, Outcome::Version);
  EXPECT_EQ(v.text, std::string("zando2 ") + program_version() + "\n");
  EXPECT_NE(std::string(program_version()), "0");
  EXPECT_EQ(report_parse_outcome(v), 0);
}

TEST(Options, MistakesAreErrorsWithStatus2) {
  struct Case {
    std::initializer_list<const char*> words;
    const char* says;
  };
  const Case cases[] = {
      {{"--bogus"}, "bogus"},
      {{"--root"}, "root"},
      {{"--script"}, "script"},
      {{"--seed"}, "seed"},
      {{"--seed", "abc"}, "abc"},
      {{"--seed", "-1"}, "-1"},
      {{"--seed", "4294967296"}, "4294967296"},  // would wrap to 0
      {{"--seed", "12x"}, "12x"},
      {{"--seed", ""}, "seed"},
      {{"--answer", "maybe"}, "maybe"},
      {{"--answer"}, "answer"},
      {{"--root", ""}, "root"},
      {{"stray"}, "stray"},
      {{"-seed", "1"}, "s"},
      {{"--zoom", "5"}, "5"},
      {{"--zoom", "0"}, "0"},
      {{"--zoom", "22"}, "22"},
      {{"--zoom"}, "zoom"},
  };
  for (const Case& c : cases) {
    ParsedOptions p = parse(c.words);
    EXPECT_EQ(p.outcome, Outcome::Error) << *c.words.begin();
    EXPECT_NE(p.text.find(c.says), std::string::npos) << p.text;
    testing::internal::CaptureStderr();
    EXPECT_EQ(report_parse_outcome(p), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("zando2: "), std::string::npos);
  }
}

}  // namespace
}  // namespace z2
