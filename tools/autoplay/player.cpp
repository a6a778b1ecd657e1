#include "player.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "platform/headless/headless.h"
#include "policy.h"
#include "game_handlers.h"
#include "shell/game.h"
#include "shell/title.h"
#include "state/random.h"

namespace z2::autoplay {

namespace {

// The transcript goes nowhere: the player reads the state instead.
struct NullBuffer : std::streambuf {
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The headless face, answering boxes as the player would: offers after a
// victory by the policy, every other question (NEW GAME, the clinic, a
// purchase, wearing a piece) with yes, since the player only asks for what
// it wants.
class PlayerPlatform : public HeadlessPlatform {
 public:
  explicit PlayerPlatform(std::ostream& out) : HeadlessPlatform(out, true) {}
  bool ask(const std::string& text) override {
    ++boxes;
    if (game) queue_answer(accept_offer(game->s, game->t, text, policy));
    return HeadlessPlatform::ask(text);
  }
  void notice(const std::string& text) override {
    ++boxes;
    HeadlessPlatform::notice(text);
  }
  void error(const std::string& text) override {
    ++boxes;
    last_error = text;
    HeadlessPlatform::error(text);
  }
  Game* game = nullptr;
  Policy policy = Policy::Careful;
  long long boxes = 0;
  std::string last_error;
};

// One game on the headless face and the clicks that drive it.
class Session {
 public:
  Session(const std::string& root, uint32_t seed, Policy policy, std::ostream* transcript = nullptr)
      : out_(transcript ? transcript->rdbuf() : &null_), rng_(seed), plat_(out_), g_(plat_, rng_, root) {
    bind_handlers(g_);
    plat_.game = &g_;
    plat_.policy = policy;
    plat_.attach(&g_);
    startup(g_);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Game& game() { return g_; }
  PlayerPlatform& platform() { return plat_; }
  long long actions() const { return clicks_ + plat_.boxes; }

  // A click as in the window; then the status refresh that the window's
  // 50 ms timer runs between operations.
  bool click(const char* name) {
    ++clicks_;
    const bool ok = z2::click(g_, name);
    timer_fire(g_, 1);
    return ok;
  }
  // The row of the list whose text is `name`, as a click on it.
  bool select(const std::string& name) {
    Control& l = g_.ui.list_l;
    for (size_t i = 0; i < l.rows.size(); ++i)
      if (l.rows[i] == name) return select_row(static_cast<int>(i));
    return false;
  }
  bool select_row(int row) {
    Control& l = g_.ui.list_l;
    if (!l.usable() || row < 0 || static_cast<size_t>(row) >= l.rows.size()) return false;
    ++clicks_;
    l.selected = row;
    run_handler(g_, l.on_click);
    return true;
  }

  // One fight (or host visit with the choice box) to its end. False when it
  // could not be finished within the bound.
  bool fight(const Plan& plan) {
    for (int step = 0; step < 3000; ++step) {
      const View v = look(g_.ui);
      if (v.level_box) {
        click(stat_button(choose_stat(g_.s, v.gifts, plan.policy)));
        continue;
      }
      if (v.battle) {
        turn(decide_battle(g_.s, g_.t, v, plan));
        continue;
      }
      if (g_.s.in_battle || g_.s.host_mode) {
        // A panel left open by a refused command: close it and look again.
        if (g_.ui.list_box.shown() && click("cancel_b")) continue;
        return false;
      }
      return true;
    }
    return false;
  }

 private:
  void turn(const BattleAction& a) {
    // A player's turn starts with "…の攻撃" on the message line; a refused
    // command writes its reason there instead.
    bool done = false;
    switch (a.kind) {
      case BattleAction::Punch: done = click("b1"); break;
      case BattleAction::Tower: done = click("tower_b"); break;
      case BattleAction::Escape: done = click("Button7"); break;
      case BattleAction::Item: done = use_from_list("b3", item_name(a.id)); break;
      case BattleAction::Monster: done = use_from_list("b2", at_or_empty(g_.t.monster_table, a.id).mo_name); break;
      case BattleAction::Magic: done = use_from_list("b4", at_or_empty(g_.t.magic_table, a.id).mg_name); break;
    }
    // A refused command keeps the turn and says why on the message line:
    // fall back on the fist, then on running (which in a colosseum fails but
    // passes the turn, so that a seal may wear off).
    if (!done || refused()) {
      if (g_.ui.list_box.shown()) click("cancel_b");
      if (a.kind == BattleAction::Punch || !click("b1") || refused()) click("Button7");
    }
  }
  bool refused() const {
    if (!g_.ui.battle_com.shown()) return false;
    static const char* const kReasons[] = {"敵の魔法によって攻撃できません", "追加効果により攻撃できません",
                                           "追加効果によって使用不可", "敵の魔法によって使用不可",
                                           "クラスによって使用不可", "MPが足りません", "ＡＲＫが足りません"};
    for (const char* r : kReasons)
      if (g_.ui.moji_l.text == r) return true;
    return g_.ui.list_box.shown();
  }
  bool use_from_list(const char* opener, const std::string& name) {
    if (!click(opener) || !g_.ui.list_box.shown()) return false;
    if (!select(name)) return false;
    return click("OK");
  }
  std::string item_name(int id) { return at_or_empty(g_.t.item_table, id).it_name; }

  NullBuffer null_;
  std::ostream out_;
  SeededRandom rng_;
  PlayerPlatform plat_;
  Game g_;
  long long clicks_ = 0;
};

// Winning the target: the colosseum's floor marked won, or ファウスト beaten.
bool target_won(const GameState& s, int target) {
  return target == kGauntlet ? s.floor_clear[fc::kGouketu] == kWonMark
                             : s.floor_clear[static_cast<size_t>(target)] == kWonMark;
}

// Sample fights of the colosseum (or gauntlet) from the present state, on
// fresh games of the same data: the share won.
double sample_odds(const RunOptions& o, const Game& real, const Plan& plan, uint32_t seed) {
  int wins = 0;
  for (int k = 0; k < o.samples; ++k) {
    Session sb(o.root, seed + static_cast<uint32_t>(k) * 7919u, plan.policy);
    Game& g = sb.game();
    if (!sb.click("Button12") || !g.ui.map_box.shown()) return 0;
    g.s = real.s;
    // The player's picture of the try: healed at the clinic, on the boss's
    // floor, at level one where the door asks for it.
    g.s.my_hp = g.s.my_hp_max;
    g.s.my_mp = g.s.my_mp_max;
    g.s.my_state = 0;
    g.s.floor = boss_floor(plan);
    if (door_needs(g.s.floor).level_one) {
      g.s.my_lv = 1;
      g.s.my_exp = 0;
    }
    timer_fire(g, 1);
    if (!sb.click(plan.target == kGauntlet ? "gouketu_b" : "colosiam_b")) return 0;
    if (!g.s.in_battle) return 0;  // refused at the door
    sb.fight(plan);
    if (target_won(g.s, plan.target)) ++wins;
  }
  return o.samples > 0 ? static_cast<double>(wins) / o.samples : 0;
}

}  // namespace

RunResult play_run(const RunOptions& o, uint32_t seed) {
  RunResult r;
  r.seed = seed;
  Session sess(o.root, seed, o.policy, o.transcript);
  Game& g = sess.game();
  GameState& s = g.s;
  const auto hours_now = [&] {
    return (static_cast<double>(sess.platform().elapsed_ms) + static_cast<double>(sess.actions()) * o.click_ms) /
           3600000.0;
  };

  sess.click("Button12");
  if (!g.ui.map_box.shown()) {
    r.floors[0].failure = "NEW GAME did not start: " + sess.platform().last_error;
    return r;
  }
  sess.platform().last_error.clear();

  Plan plan;
  plan.policy = o.policy;
  const int last = o.floors >= kTopFloor ? kGauntlet : o.floors;
  double target_start_hours = 0;
  int target_start_battles = 0, target_start_deaths = 0;
  uint32_t sample_seed = seed * 2654435761u + 1;
  bool odds_fresh = false;
  long long minutes = 0;
  int stuck = 0;
  int idle = 0;  // map steps since the last fight
  // Deaths among the last training fights of the floor trained on: a room
  // that kills three times in twelve fights is left for a lower one.
  std::vector<bool> recent;

  const auto begin_target = [&](int target) {
    plan.target = target;
    plan.fights_on_target = 0;
    plan.wins_since_try = 0;
    plan.train_left = 0;
    plan.odds = -1;
    plan.want_level_one = target == kTopFloor;
    plan.train_cap = kTopFloor;
    recent.clear();
    odds_fresh = false;
    target_start_hours = hours_now();
    target_start_battles = s.floor_clear[fc::kBattles];
    target_start_deaths = s.floor_clear[fc::kDeaths];
  };
  const auto close_target = [&](FloorRecord& f) {
    f.hours = hours_now() - target_start_hours;
    f.fights = s.floor_clear[fc::kBattles] - target_start_battles;
    f.deaths = s.floor_clear[fc::kDeaths] - target_start_deaths;
  };
  begin_target(0);

  for (long long step = 0;; ++step) {
    // The minute timer of the window, on the estimated clock.
    for (const long long m = static_cast<long long>(hours_now() * 60); minutes < m; ++minutes) timer_fire(g, 2);

    FloorRecord& rec = r.floors[static_cast<size_t>(plan.target)];
    const int boss = boss_floor(plan);
    if (!rec.reached && s.floor == boss && look(g.ui).map) {
      rec.reached = true;
      rec.level_on_arrival = s.my_lv;
      rec.cents_on_arrival = s.cent;
    }
    if (target_won(s, plan.target)) {
      rec.cleared = true;
      rec.reached = true;
      close_target(rec);
      if (plan.target >= last) {
        r.finished = true;
        break;
      }
      begin_target(plan.target + 1);
      continue;
    }
    plan.fights_on_target = s.floor_clear[fc::kBattles] - target_start_battles;
    if (plan.fights_on_target > o.max_fights || hours_now() - target_start_hours > o.max_hours) {
      close_target(rec);
      rec.failure = "not won within " + std::to_string(o.max_fights) + " fights / " +
                    std::to_string(static_cast<int>(o.max_hours)) + " hours; last odds " +
                    std::to_string(static_cast<int>(plan.odds * 100)) + "% at LV" + std::to_string(s.my_lv);
      break;
    }

    const View v = look(g.ui);
    if (!v.map) {
      // A box left over (the choice box, a list): finish it as a fight.
      if (!sess.fight(plan)) {
        if (g.ui.list_box.shown()) sess.click("cancel_b");
        if (++stuck > 20) {
          close_target(rec);
          rec.failure = "stuck off the map";
          break;
        }
      }
      continue;
    }
    if (s.floor >= 0 && s.floor <= kTopFloor) {
      plan.has_fight_room[static_cast<size_t>(s.floor)] = v.monster_room || v.random_room || v.hard_room;
      plan.has_shop[static_cast<size_t>(s.floor)] = v.shop;
      plan.has_church[static_cast<size_t>(s.floor)] = v.church;
      plan.visited[static_cast<size_t>(s.floor)] = true;
    }

    const MapAction a = decide_map(s, g.t, v, plan, odds_fresh);
    if (o.log)
      *o.log << "seed " << seed << " F" << s.floor << " target " << plan.target << " LV" << s.my_lv << " HP"
             << s.my_hp << "/" << s.my_hp_max << " atk" << s.my_atk << " body" << s.my_body << " wpn"
             << s.buki_pow << " arm" << s.bougu_pow << " $" << s.cent << " odds " << plan.odds << " train "
             << plan.train_left << "@" << plan.train_floor << ": " << a.kind << " " << a.id << " " << a.why << "\n";
    const int battles_before = s.floor_clear[fc::kBattles];
    const int deaths_before = s.floor_clear[fc::kDeaths];
    const int escapes_before = s.floor_clear[fc::kEscapes];
    bool ok = true;
    switch (a.kind) {
      case MapAction::OpenChest: ok = sess.click("takara"); break;
      case MapAction::Clinic: ok = sess.click("s_er"); break;
      case MapAction::UseItem:
      case MapAction::Equip: {
        ok = sess.click(a.kind == MapAction::UseItem ? "m1" : "m4") &&
             sess.select(at_or_empty(g.t.item_table, a.id).it_name) && sess.click("OK");
        if (g.ui.list_box.shown()) sess.click("cancel_b");
        if (g.ui.name_box.shown()) {
          g.ui.name_box.visible = false;  // never reached: naming goods are not used
        }
        break;
      }
      case MapAction::Shop: {
        ok = sess.click("s_shop");
        const std::vector<Offer> offers = shop_offers(s, g.t);
        if (ok && g.ui.list_l.rows.size() == offers.size()) {
          for (int id : shopping_list(s, g.t, offers, plan.target, plan.policy)) {
            const auto at = std::find_if(offers.begin(), offers.end(), [&](const Offer& x) { return x.item == id; });
            if (at == offers.end()) continue;
            if (!sess.select_row(static_cast<int>(at - offers.begin())) || !sess.click("OK")) break;
          }
        }
        if (g.ui.list_box.shown()) sess.click("cancel_b");
        break;
      }
      case MapAction::Church:
        ok = sess.click("s_ch") && sess.select(at_or_empty(g.t.job_table, a.id).jb_name) && sess.click("OK");
        if (g.ui.list_box.shown()) sess.click("cancel_b");
        break;
      case MapAction::Climb: ok = sess.click("st_b2"); break;
      case MapAction::Descend: ok = sess.click("st_b1"); break;
      case MapAction::CheckOdds:
        plan.odds = sample_odds(o, g, plan, sample_seed);
        sample_seed += 104729u;
        odds_fresh = true;
        if (plan.odds < wanted_odds(plan.fights_on_target)) {
          plan.train_floor = training_floor(plan);
          plan.train_left = plan.train_floor == s.floor ? 10 : 25;
        }
        break;
      case MapAction::Colosseum:
      case MapAction::Gauntlet:
        rec.tries++;
        ok = sess.click(a.kind == MapAction::Colosseum ? "colosiam_b" : "gouketu_b");
        if (ok && !s.in_battle) {
          // Refused at the door (WILD, cents or level): train for it.
          plan.train_floor = training_floor(plan);
          plan.train_left = 20;
          rec.failure = "the door refused: " + g.ui.moji_l2.text;
        } else if (ok) {
          ok = sess.fight(plan);
        }
        odds_fresh = false;
        break;
      case MapAction::MonsterRoom:
      case MapAction::RandomRoom:
      case MapAction::HardRoom:
      {
        const int deaths = s.floor_clear[fc::kDeaths];
        const int here = s.floor;
        ok = sess.click(a.kind == MapAction::MonsterRoom ? "s_battle" : a.kind == MapAction::RandomRoom ? "rand_b" : "p_b");
        if (ok) ok = sess.fight(plan);
        odds_fresh = false;
        recent.push_back(s.floor_clear[fc::kDeaths] != deaths);
        if (o.log && recent.back())
          *o.log << "seed " << seed << " died on F" << here << " against record " << s.e_id << " LV" << s.e_lv
                 << " HP" << s.e_hp << "/" << s.e_hp_max << "\n";
        if (recent.size() > 12) recent.erase(recent.begin());
        if (std::count(recent.begin(), recent.end(), true) >= 3 && here > 0) {
          plan.train_cap = here - 1;
          plan.train_floor = training_floor(plan);
          plan.train_left = 25;
          recent.clear();
        }
        break;
      }
      case MapAction::StartTraining:
        plan.train_floor = a.id;
        plan.train_left = 25;
        break;
      case MapAction::Stuck:
        ok = false;
        break;
    }
    // Won fights since the last colosseum try (a room may chain several).
    if (a.kind == MapAction::Colosseum || a.kind == MapAction::Gauntlet)
      plan.wins_since_try = 0;
    else
      plan.wins_since_try += std::max(0, (s.floor_clear[fc::kBattles] - battles_before) -
                                             (s.floor_clear[fc::kDeaths] - deaths_before) -
                                             (s.floor_clear[fc::kEscapes] - escapes_before));
    if (s.floor_clear[fc::kBattles] != battles_before) {
      if (plan.train_left > 0) --plan.train_left;
      idle = 0;
    } else if (++idle > 2000) {
      close_target(rec);
      rec.failure = "no fight in 2000 steps on the map (last: " + a.why + ")";
      break;
    }
    if (a.kind == MapAction::Stuck || !ok) {
      if (++stuck > 20) {
        close_target(rec);
        rec.failure = "stuck: " + a.why;
        break;
      }
    } else {
      stuck = 0;
    }
    if (!sess.platform().last_error.empty()) {
      // A data fault the game reported and survived: counted, and play goes on.
      ++r.errors;
      if (r.first_error.empty()) r.first_error = sess.platform().last_error;
      sess.platform().last_error.clear();
    }
  }
  r.hours = hours_now();
  r.clicks = sess.actions();
  r.pause_ms = sess.platform().elapsed_ms;
  return r;
}

namespace {

// Numbers as words; doubles in hexadecimal, which reads back bit for bit;
// strings as their length, a colon and their bytes.
void put(std::ostream& out, long long v) { out << v << ' '; }
void put(std::ostream& out, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%a", v);
  out << buf << ' ';
}
void put(std::ostream& out, const std::string& v) { out << v.size() << ':' << v << ' '; }

bool get(std::istream& in, long long& v) { return static_cast<bool>(in >> v); }
bool get(std::istream& in, double& v) {
  std::string word;
  if (!(in >> word)) return false;
  char* end = nullptr;
  v = std::strtod(word.c_str(), &end);
  return end && *end == '\0';
}
bool get(std::istream& in, std::string& v) {
  size_t n = 0;
  char colon = 0;
  if (!(in >> n) || !in.get(colon) || colon != ':' || n > (1u << 20)) return false;
  v.assign(n, '\0');
  return static_cast<bool>(in.read(v.data(), static_cast<std::streamsize>(n))) && in.get() == ' ';
}
template <class T>
bool get_as(std::istream& in, T& out) {
  long long v = 0;
  if (!get(in, v)) return false;
  out = static_cast<T>(v);
  return true;
}

}  // namespace

std::string encode_run(const RunResult& r) {
  std::ostringstream out;
  put(out, static_cast<long long>(r.seed));
  for (const FloorRecord& f : r.floors) {
    put(out, static_cast<long long>(f.reached));
    put(out, static_cast<long long>(f.cleared));
    put(out, static_cast<long long>(f.fights));
    put(out, static_cast<long long>(f.deaths));
    put(out, static_cast<long long>(f.tries));
    put(out, f.hours);
    put(out, static_cast<long long>(f.level_on_arrival));
    put(out, f.cents_on_arrival);
    put(out, f.failure);
  }
  put(out, static_cast<long long>(r.finished));
  put(out, r.hours);
  put(out, r.clicks);
  put(out, r.pause_ms);
  put(out, static_cast<long long>(r.errors));
  put(out, r.first_error);
  out << "end\n";
  return out.str();
}

bool decode_run(const std::string& text, RunResult& r) {
  std::istringstream in(text);
  bool ok = get_as(in, r.seed);
  for (FloorRecord& f : r.floors) {
    ok = ok && get_as(in, f.reached) && get_as(in, f.cleared) && get_as(in, f.fights) && get_as(in, f.deaths) &&
         get_as(in, f.tries) && get(in, f.hours) && get_as(in, f.level_on_arrival) && get(in, f.cents_on_arrival) &&
         get(in, f.failure);
  }
  ok = ok && get_as(in, r.finished) && get(in, r.hours) && get(in, r.clicks) && get(in, r.pause_ms) &&
       get_as(in, r.errors) && get(in, r.first_error);
  std::string end;
  return ok && in >> end && end == "end";
}

const char* policy_name(Policy p) { return p == Policy::Newcomer ? "newcomer" : "careful"; }

}  // namespace z2::autoplay
