#include "platform/qt/tips.h"

#include <QMouseEvent>
#include <iterator>

#include "platform/qt/settings.h"
#include "platform/qt/widgets.h"
#include "shell/game.h"
#include "state/floors.h"
#include "state/ids.h"

namespace z2 {
namespace {

struct Tip {
  const char* name;
  const char* text;
};

// In the order a player meets them; the first whose moment has come shows.
constexpr Tip kTips[] = {
    {"map",
     "ここがマップ。まずは「モンスタールーム」で腕だめし！ 勝てば経験値とｾﾝﾄが手に入るよ。"
     "「コロシアム」はこの階のボス戦。勝てば上の階への階段が開くんだ。"},
    {"fight",
     "バトル開始！ パンチは武器で殴る基本技。モンスターは仲間を呼んで戦わせる。"
     "アイテムは薬などを使う。魔法はMPを使う大技。赤い「タワー」が出たら、塔の力の一撃が撃てるチャンス！"},
    {"offer",
     "倒した敵の武器や防具を奪えるよ。△の数字が強さ。今の装備と比べて、強ければ「はい」！ "
     "奪うと今の装備は消えちゃうから気をつけて。"},
    {"level",
     "レベルアップ！ 伸ばしたい能力をひとつ選ぼう。迷ったら最大ＨＰか攻撃力が手堅いよ。"},
    {"shop",
     "ＳＨＯＰへようこそ。「買い物」で薬や道具を買える。いらない物は「売り物」でｾﾝﾄに換えよう。"},
    {"chest",
     "宝箱を発見！ マップの宝箱をクリックすると開くよ。中身はお楽しみ。たまに罠もあるから気をつけて。"},
    {"death",
     "やられちゃった…。倒れるとｾﾝﾄとARKが半分になって、武器か防具のどちらかが崩れ落ちるんだ。"
     "HPが減ったらＥ．Ｒ．（診療所）で治したり、薬を使ったりして、無理せず戦おう。"},
    {"stairs",
     "コロシアムを制覇！ メニューに出た「▲…階へ」で上の階へ進めるようになったよ。上の階ほど敵は強い。"},
    {"rule",
     "この階にはルールがある！ 使えないコマンドは押せないよ。HPが半分になる階もあるから、"
     "準備を整えてから挑もう。"},
};
constexpr int kTipCount = static_cast<int>(std::size(kTips));

bool shown(const Control& c) { return c.shown(); }

// Whether the moment of tip `name` has come.
bool due(const char* name, const Game& g, bool died) {
  const Ui& ui = g.ui;
  const std::string n = name;
  if (n == "map") return shown(ui.map_box);
  if (n == "fight") return shown(ui.battle_com);
  if (n == "level") return shown(ui.lv_box);
  if (n == "shop") return shown(ui.shop_box);
  if (n == "chest") return shown(ui.takara);
  if (n == "death") return died;
  if (n == "stairs") return shown(ui.map_box) && ui.st_b2.visible;
  if (n == "rule") {
    const floors::Floor* f = floors::floor_row(g.s.floor);
    if (!shown(ui.map_box) || !f) return false;
    const floors::Commands& c = f->commands;
    return !(c.b1 && c.b2 && c.b3 && c.b4) || f->handicap.hp != 0 || f->handicap.mp != 0;
  }
  return false;  // "offer" comes with its box
}

}  // namespace

QStringList Tips::names() {
  QStringList out;
  for (const Tip& t : kTips) out << QString::fromLatin1(t.name);
  return out;
}

namespace {

// The strip: a click on it puts it away.
class TipStrip : public QLabel {
 public:
  explicit TipStrip(QWidget* parent, Tips& tips) : QLabel(parent), tips_(tips) {}
  void mousePressEvent(QMouseEvent*) override { tips_.dismiss(); }

 private:
  Tips& tips_;
};

}  // namespace

Tips::Tips(QWidget* window) : strip_(new TipStrip(window, *this)) {
  strip_->setObjectName(QStringLiteral("tip_strip"));
  strip_->setWordWrap(true);
  strip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  strip_->setStyleSheet(QStringLiteral(
      "QLabel { color: black; background-color: rgb(255, 250, 205); border: 2px solid rgb(160, 120, 40); }"));
  strip_->setCursor(Qt::PointingHandCursor);
  strip_->hide();
}

void Tips::apply(bool enabled, const QStringList& seen) {
  enabled_ = enabled;
  seen_ = seen;
  if (!enabled) {
    current_ = -1;
    strip_->hide();
  }
}

void Tips::set_enabled(bool on) {
  enabled_ = on;
  remember_tips(on);
  if (!on) {
    current_ = -1;
    strip_->hide();
  }
}

void Tips::check(const Game& g) {
  const int deaths = g.s.floor_clear[fc::kDeaths];
  const bool died = deaths_ >= 0 && deaths > deaths_;
  deaths_ = deaths;
  if (!enabled_) return;
  // The list panel fills the column the tips use: a tip steps aside while it
  // shows, and a new one waits for it to close.
  const bool list = g.ui.list_box.shown();
  if (current_ >= 0) {
    if (strip_->isHidden() != list) strip_->setVisible(!list);
    return;
  }
  if (list) return;
  for (int i = 0; i < kTipCount; ++i)
    if (!seen_.contains(QString::fromLatin1(kTips[i].name)) && due(kTips[i].name, g, died)) {
      show_tip(i);
      return;
    }
}

void Tips::asking(const std::string& text) {
  // The offer of a weapon or armour taken from the beaten enemy.
  if (!enabled_ || text.find("を奪いますか") == std::string::npos) return;
  for (int i = 0; i < kTipCount; ++i)
    if (std::string(kTips[i].name) == "offer" && !seen_.contains(QString::fromLatin1(kTips[i].name))) {
      if (showing()) dismiss();
      show_tip(i);
    }
}

void Tips::show_tip(int i) {
  current_ = i;
  strip_->setProperty("tip", QString::fromLatin1(kTips[i].name));
  strip_->setText(QString::fromUtf8(kTips[i].text) + QStringLiteral("\n\n(クリックかキーで閉じる)"));
  place(origin_, scale_);
  strip_->show();
  strip_->raise();
}

void Tips::dismiss() {
  if (current_ < 0) return;
  current_ = -1;
  strip_->hide();
  const QString name = strip_->property("tip").toString();
  if (!name.isEmpty() && !seen_.contains(name)) {
    seen_ << name;
    remember_tips_seen(seen_);
  }
}

void Tips::place(QPoint origin, int scale) {
  origin_ = origin;
  scale_ = scale;
  // The column right of the player's status, where the list panel shows
  // when it does; nothing else lies there.
  constexpr int kLeft = 472, kTop = 4, kWidth = 169;
  strip_->setFont(game_font(12 * scale, true, false));
  strip_->setContentsMargins(4 * scale, 4 * scale, 4 * scale, 4 * scale);
  const int h = strip_->heightForWidth(kWidth * scale);
  strip_->setGeometry(QRect(origin + QPoint(kLeft, kTop) * scale, QSize(kWidth * scale, std::max(h, 20 * scale))));
}

}  // namespace z2
