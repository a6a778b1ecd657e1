#include "platform/qt/help.h"

#include <QDialog>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace z2 {
namespace {

const char kHowToPlay[] = R"(<h2>ZANDO ARENA 2 の遊び方</h2>
<p>塔の階をひとつずつ登っていくアリーナＲＰＧ。マップの<b>モンスタールーム</b>で戦って経験値とｾﾝﾄを稼ぎ、
強くなったら<b>コロシアム</b>に挑もう。コロシアムを制すると「▲階へ」で上の階へ進める。</p>
<p>戦闘では <b>パンチ</b>（武器で殴る）、<b>モンスター</b>（仲間を戦わせる）、<b>アイテム</b>（薬や道具）、
<b>魔法</b>（MP を使う）を選ぶ。赤い <b>タワー</b> が出たら塔の一撃のチャンス。</p>
<p>勝つと敵の武器や防具を奪えることがある。ＳＨＯＰで買い物、チャーチで治療。
ウィンドウを閉じるとゲームは自動でセーブされる。</p>
<h3>キー</h3>
<table cellpadding="2">
<tr><td><b>F1</b></td><td>このヘルプ</td></tr>
<tr><td><b>F2</b></td><td>設定（音量、文字スピード、早送り、ヒント、表示）</td></tr>
<tr><td><b>矢印キー / Tab</b>（Shift+Tab で戻る）</td><td>黄色い枠を動かす（マウスなしで遊べる）</td></tr>
<tr><td><b>Enter / Space</b></td><td>枠のボタンを押す（リストでは OK）</td></tr>
<tr><td><b>Esc</b></td><td>リストの Cancel、はい/いいえの「いいえ」</td></tr>
<tr><td><b>1〜5</b></td><td>戦闘: パンチ、モンスター、アイテム、魔法、タワー</td></tr>
<tr><td><b>C / N / O</b></td><td>タイトル: COUNTINUE、NEW GAME、OPENING</td></tr>
<tr><td><b>ゲームパッド</b></td><td>十字キー・左スティック: 枠を動かす、A: 押す、B: いいえ・Cancel、
BACK: Tab、START: 設定（F2）、LB（押している間）: 早送り、RB: 早送りのオン・オフ（F）</td></tr>
<tr><td><b>Ctrl+Plus / Ctrl+Minus</b></td><td>表示の拡大・縮小（画面に収まる大きさまで）</td></tr>
<tr><td><b>F11</b>（Esc で戻る）</td><td>フルスクリーン</td></tr>
<tr><td><b>Shift</b>（押している間）</td><td>早送り</td></tr>
<tr><td><b>F</b></td><td>早送りのオン・オフ（押さなくてもずっと早送り）</td></tr>
<tr><td><b>M</b></td><td>ミュート</td></tr>
<tr><td><b>F12</b></td><td>スクリーンショット</td></tr>
<tr><td>右クリック</td><td>メニュー（設定、新人向けヒントのオン・オフ、ヘルプ）</td></tr>
</table>
<p>新人向けヒントは一度ずつ表示され、クリックかキーで閉じる。</p>
<h3>コマンドラインのオプション</h3>
)";

}  // namespace

QWidget* show_help(QWidget* parent, const QString& options) {
  auto* page = parent->findChild<QDialog*>(QStringLiteral("help_page"));
  if (!page) {
    page = new QDialog(parent);
    page->setObjectName(QStringLiteral("help_page"));
    page->setWindowTitle(QStringLiteral("ZANDO ARENA 2 - ヘルプ"));
    auto* text = new QTextBrowser(page);
    text->setObjectName(QStringLiteral("help_text"));
    text->setHtml(QString::fromUtf8(kHowToPlay) + QStringLiteral("<pre>") + options.toHtmlEscaped() +
                  QStringLiteral("</pre>"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(text);
    page->resize(560, 520);
  }
  page->show();
  page->raise();
  page->activateWindow();
  return page;
}

}  // namespace z2
