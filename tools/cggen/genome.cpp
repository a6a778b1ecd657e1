// Choosing a creature for a name: words in the name pick the body plan and colours; the seed
// fills in whatever the name leaves open.
#include <cmath>
#include <cstring>
#include <string>

#include "creature.h"
#include "rng.h"

namespace cggen {

using namespace ramps;

namespace {

struct Word {
    const char* text;
    Arch arch;
    int sub;  // -1: any
};

// Words that name a body plan; genome_from decides which one a name means.
const Word kWords[] = {
    {"キョンシー", Arch::Undead, undead::Jiangshi},
    {"僵尸", Arch::Undead, undead::Jiangshi},
    {"スケルトン", Arch::Undead, undead::Skeleton},
    {"ガイコツ", Arch::Undead, undead::Skeleton},
    {"骸骨", Arch::Undead, undead::Skeleton},
    {"ボーン", Arch::Undead, undead::Skeleton},
    {"ゾンビ", Arch::Undead, undead::Zombie},
    {"グール", Arch::Undead, undead::Zombie},
    {"屍", Arch::Undead, undead::Zombie},
    {"マミー", Arch::Undead, undead::Mummy},
    {"ミイラ", Arch::Undead, undead::Mummy},
    {"ミイラ男", Arch::Undead, undead::Mummy},
    {"リッチ", Arch::Undead, undead::Lich},
    {"骨", Arch::Undead, undead::Skeleton},
    {"スライム", Arch::Blob, -1},
    {"ゼリー", Arch::Blob, 2},
    {"ジェル", Arch::Blob, -1},
    {"ぷよ", Arch::Blob, 0},
    {"プリン", Arch::Blob, 0},
    {"ドロ", Arch::Blob, -1},
    {"泥", Arch::Blob, -1},
    {"クラゲ", Arch::Blob, 2},
    {"ドラゴン", Arch::Serpent, serpent::Dragon},
    {"ドラコ", Arch::Serpent, serpent::Dragon},
    {"ワイバーン", Arch::Serpent, serpent::Dragon},
    {"竜", Arch::Serpent, serpent::Dragon},
    {"龍", Arch::Serpent, serpent::Eastern},
    {"サーペント", Arch::Serpent, serpent::Snake},
    {"スネーク", Arch::Serpent, serpent::Snake},
    {"コブラ", Arch::Serpent, serpent::Snake},
    {"ヘビ", Arch::Serpent, serpent::Snake},
    {"蛇", Arch::Serpent, serpent::Snake},
    {"ワーム", Arch::Serpent, serpent::Worm},
    {"砂虫", Arch::Serpent, serpent::Worm},
    {"ミミズ", Arch::Serpent, serpent::Worm},
    {"サンドウォーム", Arch::Serpent, serpent::Worm},
    {"フェニックス", Arch::Bird, bird::Phoenix},
    {"鳳凰", Arch::Bird, bird::Phoenix},
    {"不死鳥", Arch::Bird, bird::Phoenix},
    {"朱雀", Arch::Bird, bird::Phoenix},
    {"フクロウ", Arch::Bird, bird::Owl},
    {"ふくろう", Arch::Bird, bird::Owl},
    {"オウル", Arch::Bird, bird::Owl},
    {"カラス", Arch::Bird, bird::Crow},
    {"クロウ", Arch::Bird, bird::Crow},
    {"烏", Arch::Bird, bird::Crow},
    {"天狗", Arch::Bird, bird::Crow},
    {"ヒヨコ", Arch::Bird, bird::Chick},
    {"ひよこ", Arch::Bird, bird::Chick},
    {"チキン", Arch::Bird, bird::Chick},
    {"ペンギン", Arch::Bird, bird::Chick},
    {"ニワトリ", Arch::Bird, bird::Chick},
    {"ホーク", Arch::Bird, bird::Hawk},
    {"イーグル", Arch::Bird, bird::Hawk},
    {"コンドル", Arch::Bird, bird::Hawk},
    {"ハゲタカ", Arch::Bird, bird::Hawk},
    {"鷹", Arch::Bird, bird::Hawk},
    {"鷲", Arch::Bird, bird::Hawk},
    {"バード", Arch::Bird, -1},
    {"鳥", Arch::Bird, -1},
    {"バット", Arch::Bat, 0},
    {"コウモリ", Arch::Bat, 0},
    {"こうもり", Arch::Bat, 0},
    {"蝙蝠", Arch::Bat, 0},
    {"スパイダー", Arch::Bug, bug::Spider},
    {"クモ", Arch::Bug, bug::Spider},
    {"蜘蛛", Arch::Bug, bug::Spider},
    {"タランチュラ", Arch::Bug, bug::Spider},
    {"ビートル", Arch::Bug, bug::Beetle},
    {"カブト", Arch::Bug, bug::Beetle},
    {"クワガタ", Arch::Bug, bug::Beetle},
    {"甲虫", Arch::Bug, bug::Beetle},
    {"ゴキ", Arch::Bug, bug::Beetle},
    {"ビー", Arch::Bug, bug::Bee},
    {"ハチ", Arch::Bug, bug::Bee},
    {"蜂", Arch::Bug, bug::Bee},
    {"モスキート", Arch::Bug, bug::Bee},
    {"蚊", Arch::Bug, bug::Bee},
    {"ハエ", Arch::Bug, bug::Bee},
    {"蛾", Arch::Bug, bug::Bee},
    {"スコーピオン", Arch::Bug, bug::Scorpion},
    {"サソリ", Arch::Bug, bug::Scorpion},
    {"蠍", Arch::Bug, bug::Scorpion},
    {"アント", Arch::Bug, bug::Beetle},
    {"アリ", Arch::Bug, bug::Beetle},
    {"蟻", Arch::Bug, bug::Beetle},
    {"ムカデ", Arch::Serpent, serpent::Worm},
    {"虫", Arch::Bug, -1},
    {"蟲", Arch::Bug, -1},
    {"ゴーレム", Arch::Golem, golem::Stone},
    {"ガーゴイル", Arch::Golem, golem::Statue},
    {"石像", Arch::Golem, golem::Statue},
    {"兵馬俑", Arch::Golem, golem::Statue},
    {"像", Arch::Golem, golem::Statue},
    {"ロボ", Arch::Golem, golem::Robot},
    {"メカ", Arch::Golem, golem::Robot},
    {"マシン", Arch::Golem, golem::Robot},
    {"サイボーグ", Arch::Golem, golem::Robot},
    {"アンドロイド", Arch::Golem, golem::Robot},
    {"ドロイド", Arch::Golem, golem::Robot},
    {"ターミネ", Arch::Golem, golem::Robot},
    {"機械", Arch::Golem, golem::Robot},
    {"リビングアーマー", Arch::Golem, golem::Armour},
    {"アーマー", Arch::Golem, golem::Armour},
    {"鎧", Arch::Golem, golem::Armour},
    {"ガーディアン", Arch::Golem, golem::Armour},
    {"岩", Arch::Golem, golem::Stone},
    {"ロック", Arch::Golem, golem::Stone},
    {"ストーン", Arch::Golem, golem::Stone},
    {"マンドラゴラ", Arch::Plant, plant::Flower},
    {"フラワー", Arch::Plant, plant::Flower},
    {"ローズ", Arch::Plant, plant::Flower},
    {"バラ", Arch::Plant, plant::Flower},
    {"花", Arch::Plant, plant::Flower},
    {"トレント", Arch::Plant, plant::Treant},
    {"ツリー", Arch::Plant, plant::Treant},
    {"樹", Arch::Plant, plant::Treant},
    {"木", Arch::Plant, plant::Treant},
    {"キノコ", Arch::Plant, plant::Mushroom},
    {"きのこ", Arch::Plant, plant::Mushroom},
    {"マッシュ", Arch::Plant, plant::Mushroom},
    {"茸", Arch::Plant, plant::Mushroom},
    {"食虫", Arch::Plant, plant::Flytrap},
    {"パックン", Arch::Plant, plant::Flytrap},
    {"ハエトリ", Arch::Plant, plant::Flytrap},
    {"サボテン", Arch::Plant, plant::Cactus},
    {"カクタス", Arch::Plant, plant::Cactus},
    {"草", Arch::Plant, -1},
    {"プラント", Arch::Plant, -1},
    {"ゴースト", Arch::Ghost, ghost::Sheet},
    {"オバケ", Arch::Ghost, ghost::Sheet},
    {"おばけ", Arch::Ghost, ghost::Sheet},
    {"お化け", Arch::Ghost, ghost::Sheet},
    {"幽霊", Arch::Ghost, ghost::Sheet},
    {"亡霊", Arch::Ghost, ghost::Wraith},
    {"死神", Arch::Ghost, ghost::Wraith},
    {"レイス", Arch::Ghost, ghost::Wraith},
    {"リーパー", Arch::Ghost, ghost::Wraith},
    {"ファントム", Arch::Ghost, ghost::Wraith},
    {"ウィスプ", Arch::Ghost, ghost::Wisp},
    {"鬼火", Arch::Ghost, ghost::Wisp},
    {"人魂", Arch::Ghost, ghost::Wisp},
    {"火の玉", Arch::Ghost, ghost::Wisp},
    {"ひとだま", Arch::Ghost, ghost::Wisp},
    {"スピリット", Arch::Ghost, ghost::Wisp},
    {"霊", Arch::Ghost, -1},
    {"雪女", Arch::Human, human::Girl},
    {"ゲイザー", Arch::Eye, eye::Orb},
    {"アイボール", Arch::Eye, eye::Orb},
    {"目玉", Arch::Eye, eye::Orb},
    {"眼", Arch::Eye, -1},
    {"クリスタル", Arch::Eye, eye::Crystal},
    {"水晶", Arch::Eye, eye::Crystal},
    {"オーブ", Arch::Eye, eye::Crystal},
    {"シャーク", Arch::Fish, fish::Shark},
    {"サメ", Arch::Fish, fish::Shark},
    {"鮫", Arch::Fish, fish::Shark},
    {"オクトパス", Arch::Fish, fish::Octopus},
    {"クラーケン", Arch::Fish, fish::Octopus},
    {"タコ", Arch::Fish, fish::Octopus},
    {"蛸", Arch::Fish, fish::Octopus},
    {"イカ", Arch::Fish, fish::Octopus},
    {"カニ", Arch::Fish, fish::Crab},
    {"蟹", Arch::Fish, fish::Crab},
    {"クラブ", Arch::Fish, fish::Crab},
    {"エビ", Arch::Fish, fish::Crab},
    {"フィッシュ", Arch::Fish, fish::Fish},
    {"ピラニア", Arch::Fish, fish::Fish},
    {"魚", Arch::Fish, fish::Fish},
    {"ウルフ", Arch::Beast, beast::Wolf},
    {"狼", Arch::Beast, beast::Wolf},
    {"ドッグ", Arch::Beast, beast::Dog},
    {"犬", Arch::Beast, beast::Dog},
    {"ハウンド", Arch::Beast, beast::Dog},
    {"狛犬", Arch::Beast, beast::Lion},
    {"ケルベロス", Arch::Beast, beast::Wolf},
    {"狐", Arch::Beast, beast::Wolf},
    {"キツネ", Arch::Beast, beast::Wolf},
    {"フォックス", Arch::Beast, beast::Wolf},
    {"キャット", Arch::Beast, beast::Cat},
    {"猫", Arch::Beast, beast::Cat},
    {"ネコ", Arch::Beast, beast::Cat},
    {"ニャ", Arch::Beast, beast::Cat},
    {"タイガー", Arch::Beast, beast::Cat},
    {"虎", Arch::Beast, beast::Cat},
    {"パンサー", Arch::Beast, beast::Cat},
    {"豹", Arch::Beast, beast::Cat},
    {"ベア", Arch::Beast, beast::Bear},
    {"熊", Arch::Beast, beast::Bear},
    {"クマ", Arch::Beast, beast::Bear},
    {"パンダ", Arch::Beast, beast::Bear},
    {"ゴリラ", Arch::Beast, beast::Monkey},
    {"モンキー", Arch::Beast, beast::Monkey},
    {"サル", Arch::Beast, beast::Monkey},
    {"エレファント", Arch::Beast, beast::Elephant},
    {"ゾウ", Arch::Beast, beast::Elephant},
    {"マンモス", Arch::Beast, beast::Elephant},
    {"ヒツジ", Arch::Beast, beast::Sheep},
    {"シープ", Arch::Beast, beast::Sheep},
    {"ヤギ", Arch::Beast, beast::Sheep},
    {"シカ", Arch::Beast, beast::Deer},
    {"トナカイ", Arch::Beast, beast::Deer},
    {"カッパ", Arch::Human, human::Kappa},
    {"河童", Arch::Human, human::Kappa},
    {"ボア", Arch::Beast, beast::Boar},
    {"猪", Arch::Beast, beast::Boar},
    {"イノシシ", Arch::Beast, beast::Boar},
    {"ブタ", Arch::Beast, beast::Boar},
    {"豚", Arch::Beast, beast::Boar},
    {"バッファロー", Arch::Beast, beast::Boar},
    {"牛", Arch::Beast, beast::Boar},
    {"ミノタウロス", Arch::Beast, beast::Boar},
    {"ラット", Arch::Beast, beast::Rat},
    {"ネズミ", Arch::Beast, beast::Rat},
    {"ねずみ", Arch::Beast, beast::Rat},
    {"鼠", Arch::Beast, beast::Rat},
    {"マウス", Arch::Beast, beast::Rat},
    {"ウサギ", Arch::Beast, beast::Rabbit},
    {"ラビット", Arch::Beast, beast::Rabbit},
    {"ライオン", Arch::Beast, beast::Lion},
    {"獅子", Arch::Beast, beast::Lion},
    {"レオ", Arch::Beast, beast::Lion},
    {"グリフォン", Arch::Beast, beast::Lion},
    {"キマイラ", Arch::Beast, beast::Lion},
    {"獣", Arch::Beast, -1},
    {"ビースト", Arch::Beast, -1},
    {"わたっ娘", Arch::Human, human::Girl},
    {"ﾔﾑﾔﾑ", Arch::Blob, 4},
    {"ヤムヤム", Arch::Blob, 4},
    {"サムライ", Arch::Human, human::Samurai},
    {"侍", Arch::Human, human::Samurai},
    {"武者", Arch::Human, human::Samurai},
    {"浪人", Arch::Human, human::Samurai},
    {"ニンジャ", Arch::Human, human::Ninja},
    {"忍者", Arch::Human, human::Ninja},
    {"忍", Arch::Human, human::Ninja},
    {"くノ一", Arch::Human, human::Ninja},
    {"アサシン", Arch::Human, human::Ninja},
    {"シーフ", Arch::Human, human::Ninja},
    {"盗賊", Arch::Human, human::Thug},
    {"オーガ", Arch::Human, human::Oni},
    {"オニ", Arch::Human, human::Oni},
    {"鬼", Arch::Human, human::Oni},
    {"トロル", Arch::Human, human::Orc},
    {"オーク", Arch::Human, human::Orc},
    {"ゴブリン", Arch::Human, human::Orc},
    {"コボルト", Arch::Human, human::Orc},
    {"デーモン", Arch::Human, human::Demon},
    {"デビル", Arch::Human, human::Demon},
    {"悪魔", Arch::Human, human::Demon},
    {"魔王", Arch::Human, human::Demon},
    {"魔人", Arch::Human, human::Demon},
    {"インプ", Arch::Human, human::Demon},
    {"サキュバス", Arch::Human, human::Demon},
    {"エンジェル", Arch::Human, human::Angel},
    {"天使", Arch::Human, human::Angel},
    {"ヴァルキリー", Arch::Human, human::Angel},
    {"ナイト", Arch::Human, human::Knight},
    {"騎士", Arch::Human, human::Knight},
    {"パラディン", Arch::Human, human::Knight},
    {"兵士", Arch::Human, human::Knight},
    {"ソルジャー", Arch::Human, human::Knight},
    {"衛兵", Arch::Human, human::Knight},
    {"ウィザード", Arch::Human, human::Mage},
    {"メイジ", Arch::Human, human::Mage},
    {"魔法使い", Arch::Human, human::Mage},
    {"魔術", Arch::Human, human::Mage},
    {"魔導", Arch::Human, human::Mage},
    {"道士", Arch::Human, human::Mage},
    {"仙人", Arch::Human, human::Mage},
    {"ソーサラー", Arch::Human, human::Mage},
    {"賢者", Arch::Human, human::Mage},
    {"魔女", Arch::Human, human::Girl},
    {"ウィッチ", Arch::Human, human::Girl},
    {"巫女", Arch::Human, human::Girl},
    {"プリースト", Arch::Human, human::Priest},
    {"神官", Arch::Human, human::Priest},
    {"僧侶", Arch::Human, human::Priest},
    {"シスター", Arch::Human, human::Priest},
    {"司祭", Arch::Human, human::Priest},
    {"モンク", Arch::Human, human::Monk},
    {"拳法", Arch::Human, human::Monk},
    {"拳士", Arch::Human, human::Monk},
    {"カンフー", Arch::Human, human::Monk},
    {"少林", Arch::Human, human::Monk},
    {"力士", Arch::Human, human::Monk},
    {"レスラー", Arch::Human, human::Monk},
    {"ボクサー", Arch::Human, human::Monk},
    {"ギャング", Arch::Human, human::Thug},
    {"マフィア", Arch::Human, human::Thug},
    {"チンピラ", Arch::Human, human::Thug},
    {"ヤンキー", Arch::Human, human::Thug},
    {"不良", Arch::Human, human::Thug},
    {"パイレーツ", Arch::Human, human::Thug},
    {"海賊", Arch::Human, human::Thug},
    {"ラッパー", Arch::Human, human::Thug},
    {"ガンマン", Arch::Human, human::Gunman},
    {"カウボーイ", Arch::Human, human::Gunman},
    {"ポリス", Arch::Human, human::Gunman},
    {"コップ", Arch::Human, human::Gunman},
    {"刑事", Arch::Human, human::Gunman},
    {"スナイパー", Arch::Human, human::Gunman},
    {"ダンサー", Arch::Human, human::Girl},
    {"アイドル", Arch::Human, human::Girl},
    {"姫", Arch::Human, human::Girl},
    {"娘", Arch::Human, human::Girl},
    {"少女", Arch::Human, human::Girl},
    {"女", Arch::Human, human::Girl},
    {"ファイター", Arch::Human, human::Warrior},
    {"ウォーリア", Arch::Human, human::Warrior},
    {"戦士", Arch::Human, human::Warrior},
    {"剣士", Arch::Human, human::Warrior},
    {"剣闘士", Arch::Human, human::Warrior},
    {"グラディエーター", Arch::Human, human::Warrior},
    {"バーバリアン", Arch::Human, human::Warrior},
    {"蛮族", Arch::Human, human::Warrior},
    {"傭兵", Arch::Human, human::Warrior},
    {"チャンピオン", Arch::Human, human::Warrior},
    {"男", Arch::Human, human::Warrior},
    {"人", Arch::Human, -1},
    {"カエル", Arch::Blob, 3},
    {"ガエル", Arch::Blob, 3},
    {"ガマ", Arch::Blob, 3},
    {"蛙", Arch::Blob, 3},
    {"ケロ", Arch::Blob, 3},
    {"しずく", Arch::Blob, 2},
    {"滴", Arch::Blob, 2},
    {"雲", Arch::Blob, 2},
    {"しみ", Arch::Blob, 0},
    {"埃", Arch::Blob, 1},
    {"ほこり", Arch::Blob, 1},
    {"ボール", Arch::Blob, 0},
    {"砂", Arch::Blob, 0},
    {"水", Arch::Blob, 2},
    {"スコルピ", Arch::Bug, bug::Scorpion},
    {"鋏", Arch::Bug, bug::Scorpion},
    {"蝶", Arch::Bug, bug::Bee},
    {"ヤゴ", Arch::Bug, bug::Bee},
    {"トンボ", Arch::Bug, bug::Bee},
    {"ヤンマ", Arch::Bug, bug::Bee},
    {"亀", Arch::Bug, bug::Beetle},
    {"ダンゴ虫", Arch::Bug, bug::Beetle},
    {"鶏", Arch::Bird, bird::Chick},
    {"ひよこ", Arch::Bird, bird::Chick},
    {"がいこつ", Arch::Undead, undead::Skeleton},
    {"包帯", Arch::Undead, undead::Mummy},
    {"亡者", Arch::Ghost, ghost::Wraith},
    {"影", Arch::Ghost, ghost::Wraith},
    {"精", Arch::Ghost, ghost::Wisp},
    {"風", Arch::Ghost, ghost::Wisp},
    {"雷", Arch::Ghost, ghost::Wisp},
    {"光", Arch::Ghost, ghost::Wisp},
    {"虹", Arch::Ghost, ghost::Wisp},
    {"蜃気楼", Arch::Ghost, ghost::Wisp},
    {"陽炎", Arch::Ghost, ghost::Wisp},
    {"かげろう", Arch::Ghost, ghost::Wisp},
    {"まぼろし", Arch::Ghost, ghost::Wisp},
    {"幻", Arch::Ghost, ghost::Wisp},
    {"てるてる坊主", Arch::Ghost, ghost::Sheet},
    {"付喪神", Arch::Ghost, ghost::Sheet},
    {"傘", Arch::Ghost, ghost::Sheet},
    {"巻物", Arch::Ghost, ghost::Sheet},
    {"書", Arch::Ghost, ghost::Sheet},
    {"地図", Arch::Ghost, ghost::Sheet},
    {"宿帳", Arch::Ghost, ghost::Sheet},
    {"紙", Arch::Ghost, ghost::Sheet},
    {"星", Arch::Eye, eye::Crystal},
    {"鏡", Arch::Eye, eye::Crystal},
    {"砂時計", Arch::Eye, eye::Crystal},
    {"月", Arch::Eye, eye::Crystal},
    {"穴", Arch::Eye, eye::Orb},
    {"瞳", Arch::Eye, eye::Orb},
    {"鯨", Arch::Fish, fish::Shark},
    {"鯉", Arch::Fish, fish::Fish},
    {"ナマズ", Arch::Fish, fish::Fish},
    {"ドジョウ", Arch::Fish, fish::Fish},
    {"オクト", Arch::Fish, fish::Octopus},
    {"羊", Arch::Beast, beast::Sheep},
    {"象", Arch::Beast, beast::Elephant},
    {"猿", Arch::Beast, beast::Monkey},
    {"山羊", Arch::Beast, beast::Sheep},
    {"鹿", Arch::Beast, beast::Deer},
    {"鹿威し", Arch::Golem, golem::Statue},
    {"百獣", Arch::Beast, beast::Lion},
    {"野生王", Arch::Beast, beast::Lion},
    {"兎", Arch::Beast, beast::Rabbit},
    {"うさぎ", Arch::Beast, beast::Rabbit},
    {"ニャンコ", Arch::Beast, beast::Cat},
    {"スフィンクス", Arch::Beast, beast::Lion},
    {"ガオ", Arch::Beast, beast::Lion},
    {"石", Arch::Golem, golem::Stone},
    {"巨人", Arch::Golem, golem::Stone},
    {"鉄人", Arch::Golem, golem::Armour},
    {"守護者", Arch::Golem, golem::Armour},
    {"歯車", Arch::Golem, golem::Robot},
    {"からくり", Arch::Golem, golem::Robot},
    {"時計", Arch::Golem, golem::Robot},
    {"玩具", Arch::Golem, golem::Robot},
    {"ジュークボックス", Arch::Golem, golem::Robot},
    {"ラジカセ", Arch::Golem, golem::Robot},
    {"大砲", Arch::Golem, golem::Robot},
    {"看板", Arch::Golem, golem::Robot},
    {"ポスト", Arch::Golem, golem::Robot},
    {"ピラミッド", Arch::Golem, golem::Statue},
    {"ミミック", Arch::Golem, golem::Statue},
    {"灯籠", Arch::Golem, golem::Statue},
    {"香炉", Arch::Golem, golem::Statue},
    {"箱", Arch::Golem, golem::Statue},
    {"鎖", Arch::Golem, golem::Stone},
    {"カボチャ", Arch::Plant, plant::Pumpkin},
    {"パンプキン", Arch::Plant, plant::Pumpkin},
    {"ダンゴ", Arch::Bug, bug::Beetle},
    {"マイク", Arch::Golem, golem::Robot},
    {"ゴミ", Arch::Golem, golem::Statue},
    {"サンドバッグ", Arch::Golem, golem::Statue},
    {"凧", Arch::Ghost, ghost::Sheet},
    {"声", Arch::Ghost, ghost::Wisp},
    {"音", Arch::Ghost, ghost::Wisp},
    {"重力", Arch::Golem, golem::Stone},
    {"桜", Arch::Plant, plant::Flower},
    {"サボテン坊主", Arch::Plant, plant::Cactus},
    {"人形", Arch::Human, human::Girl},
    {"女将", Arch::Human, human::Townsman},
    {"主人", Arch::Human, human::Townsman},
    {"番頭", Arch::Human, human::Townsman},
    {"羊飼い", Arch::Human, human::Townsman},
    {"係", Arch::Human, human::Townsman},
    {"師", Arch::Human, human::Townsman},
    {"道化師", Arch::Human, human::Mage},
    {"拷問係", Arch::Human, human::Thug},
    {"語り部", Arch::Human, human::Townsman},
    {"爺", Arch::Human, human::Townsman},
    {"富豪", Arch::Human, human::Thug},
    {"名主", Arch::Human, human::Thug},
    {"帝王", Arch::Human, human::Thug},
    {"酒呑み", Arch::Human, human::Thug},
    {"おばちゃん", Arch::Human, human::Girl},
    {"占い師", Arch::Human, human::Girl},
    {"女王", Arch::Human, human::Girl},
    {"兵", Arch::Human, human::Knight},
    {"番人", Arch::Human, human::Knight},
    {"門番", Arch::Human, human::Knight},
    {"守り人", Arch::Human, human::Knight},
    {"看守", Arch::Human, human::Knight},
    {"親衛隊", Arch::Human, human::Knight},
    {"足軽", Arch::Human, human::Samurai},
    {"将軍", Arch::Human, human::Samurai},
    {"僧", Arch::Human, human::Monk},
    {"坊主", Arch::Human, human::Monk},
    {"修行者", Arch::Human, human::Monk},
    {"おやじ", Arch::Human, human::Monk},
    {"庭師", Arch::Human, human::Monk},
    {"老師", Arch::Human, human::Mage},
    {"学者", Arch::Human, human::Mage},
    {"画伯", Arch::Human, human::Mage},
    {"アーティスト", Arch::Human, human::Mage},
    {"司書", Arch::Human, human::Mage},
    {"星見", Arch::Human, human::Mage},
    {"天文", Arch::Human, human::Mage},
    {"道化", Arch::Human, human::Mage},
    {"ピエロ", Arch::Human, human::Mage},
    {"ファウスト", Arch::Human, human::Mage},
    {"道化神", Arch::Human, human::Demon},
    {"魔物", Arch::Human, human::Demon},
    {"怪物", Arch::Human, human::Demon},
    {"風神", Arch::Human, human::Oni},
    {"黒子", Arch::Human, human::Ninja},
    {"闘士", Arch::Human, human::Warrior},
    {"選手", Arch::Human, human::Warrior},
    {"ライバル", Arch::Human, human::Warrior},
    {"挑戦者", Arch::Human, human::Warrior},
    {"自分", Arch::Human, human::Warrior},
    {"少年", Arch::Human, human::Boy},
    {"子ども", Arch::Human, human::Boy},
    {"子供", Arch::Human, human::Boy},
    {"ぼうや", Arch::Human, human::Boy},
    {"見習い", Arch::Human, human::Boy},
    {"ピエロ見習い", Arch::Human, human::Mage},
    {"番長", Arch::Human, human::Thug},
    {"小僧", Arch::Human, human::Boy},
    {"坊や", Arch::Human, human::Boy},
    {"若頭", Arch::Human, human::Thug},
    {"用心棒", Arch::Human, human::Thug},
    {"下っ端", Arch::Human, human::Thug},
    {"客引き", Arch::Human, human::Thug},
    {"酔っぱらい", Arch::Human, human::Thug},
    {"ダフ屋", Arch::Human, human::Thug},
    {"成金", Arch::Human, human::Thug},
    {"男爵", Arch::Human, human::Thug},
    {"囚人", Arch::Human, human::Thug},
    {"ドン", Arch::Human, human::Thug},
    {"スケーター", Arch::Human, human::Thug},
    {"アナウンサー", Arch::Human, human::Thug},
    {"屋", Arch::Human, human::Thug},
    {"紳士", Arch::Human, human::Gunman},
    {"支配人", Arch::Human, human::Gunman},
    {"郵便屋", Arch::Human, human::Townsman},
    {"商人", Arch::Human, human::Townsman},
    {"旅人", Arch::Human, human::Townsman},
};

struct Hue {
    const char* text;
    Ramp ramp;
};

const Hue kHues[] = {
    {"レッド", red},      {"赤", red},         {"紅", red},        {"炎", orange},     {"ファイア", orange}, {"フレイム", orange},
    {"火", orange},       {"マグマ", orange},  {"溶岩", orange},   {"ブルー", blue},   {"青", blue},         {"蒼", blue},
    {"アクア", cyan},     {"水", cyan},        {"アイス", sky},    {"氷", sky},        {"雪", white},        {"スノー", white},
    {"グリーン", green},  {"緑", green},      {"リーフ", lime},   {"ブラック", dark},   {"黒", dark},
    {"ダーク", night},    {"闇", night},       {"影", night},      {"シャドウ", night}, {"ホワイト", white},  {"白", white},
    {"聖", white},        {"ホーリー", white}, {"ゴールド", gold}, {"黄金", gold},     {"金", gold},         {"シルバー", silver},
    {"銀", silver},       {"メタル", silver},  {"鋼", silver},     {"鉄", gray},       {"アイアン", gray},   {"パープル", purple},
    {"紫", purple},       {"毒", purple},      {"ポイズン", purple}, {"ピンク", pink},  {"桃", pink},         {"サンダー", yellow},
    {"雷", yellow},       {"イエロー", yellow}, {"黄", yellow},    {"サンド", sand},   {"砂", sand},         {"土", brown},
    {"マッド", brown},    {"泥", brown},       {"岩", gray},       {"石", gray},       {"ストーン", gray},   {"ネオン", magenta},
    {"成金", gold},       {"羊", white},       {"象", gray},       {"猿", brown},      {"カボチャ", orange}, {"桜", pink},
    {"苔", green},        {"墨", dark},        {"鉛", gray},       {"新月", night},    {"夜", night},        {"湯けむり", white},
    {"ローズ", magenta},  {"血", red},         {"ブラッド", red},  {"スカイ", sky},    {"空", sky},          {"風", cyan},
};

bool same(const Ramp& a, const Ramp& b) { return std::memcmp(a.c, b.c, 4) == 0; }

}  // namespace

Ramp belly_for(const Ramp& b) {
    switch (b.base()) {
        case G: return lime;
        case BN: return sand;
        case TN: return skin;
        case G2: return silver;
        case B: return sky;
        case R: return orange;
        case VI: return lavender;
        case MG: return pink;
        case TE: return cyan;
        case OL: return sand;
        case G1: return gray;
        case D1: return purple;
        case OR: return yellow;
        case SN: return white;
        case LB: return white;
        case CY: return white;
        case PK: return white;
        case LG: return yellow;
        case YL: return white;
        case SK: return white;
        default: return silver;
    }
}

namespace {

const Ramp kAllBody[] = {green, blue, red, orange, purple, pink, brown, tan, gray, teal, cyan, gold, olive, magenta, sand, lavender, sky, silver, lime, dark};
const Ramp kAccents[] = {red, gold, cyan, magenta, orange, lime, purple, blue, yellow, pink};

// What each floor breeds when a name says nothing: seven ordinary slots.
struct FloorPlan {
    Arch arch[7];
    int sub[7];
    Ramp tint[4];
};

const FloorPlan kPlans[26] = {
    // 0 sand arena
    {{Arch::Blob, Arch::Beast, Arch::Bug, Arch::Human, Arch::Bird, Arch::Beast, Arch::Human},
     {0, beast::Rat, bug::Scorpion, human::Warrior, bird::Chick, beast::Wolf, human::Thug},
     {green, sand, tan, brown}},
    // 1 meadow
    {{Arch::Blob, Arch::Beast, Arch::Plant, Arch::Bug, Arch::Bird, Arch::Human, Arch::Plant},
     {0, beast::Wolf, plant::Flower, bug::Bee, bird::Hawk, human::Orc, plant::Mushroom},
     {green, lime, blue, brown}},
    // 2 forest edge
    {{Arch::Beast, Arch::Plant, Arch::Bug, Arch::Bird, Arch::Human, Arch::Blob, Arch::Beast},
     {beast::Boar, plant::Treant, bug::Beetle, bird::Owl, human::Orc, 1, beast::Bear},
     {green, brown, olive, tan}},
    // 3 deep forest
    {{Arch::Plant, Arch::Bug, Arch::Beast, Arch::Ghost, Arch::Human, Arch::Serpent, Arch::Plant},
     {plant::Flytrap, bug::Spider, beast::Cat, ghost::Wisp, human::Mage, serpent::Snake, plant::Mushroom},
     {green, olive, purple, teal}},
    // 4 swamp
    {{Arch::Blob, Arch::Serpent, Arch::Undead, Arch::Ghost, Arch::Eye, Arch::Plant, Arch::Bug},
     {2, serpent::Snake, undead::Zombie, ghost::Wisp, eye::Orb, plant::Flytrap, bug::Bee},
     {olive, teal, purple, green}},
    // 5 cave mouth
    {{Arch::Bat, Arch::Bug, Arch::Golem, Arch::Blob, Arch::Undead, Arch::Beast, Arch::Serpent},
     {0, bug::Spider, golem::Stone, 1, undead::Skeleton, beast::Rat, serpent::Worm},
     {gray, brown, purple, dark}},
    // 6 crystal cave
    {{Arch::Golem, Arch::Eye, Arch::Bat, Arch::Ghost, Arch::Blob, Arch::Bug, Arch::Human},
     {golem::Statue, eye::Crystal, 0, ghost::Sheet, 2, bug::Beetle, human::Mage},
     {cyan, lavender, purple, sky}},
    // 7 magma cave
    {{Arch::Golem, Arch::Serpent, Arch::Beast, Arch::Blob, Arch::Bird, Arch::Human, Arch::Serpent},
     {golem::Stone, serpent::Dragon, beast::Wolf, 1, bird::Phoenix, human::Demon, serpent::Worm},
     {red, orange, dark, gold}},
    // 8 underground lake and ruins
    {{Arch::Fish, Arch::Fish, Arch::Fish, Arch::Undead, Arch::Golem, Arch::Ghost, Arch::Serpent},
     {fish::Fish, fish::Octopus, fish::Crab, undead::Mummy, golem::Statue, ghost::Wraith, serpent::Snake},
     {teal, blue, sand, cyan}},
    // 9 frontier town
    {{Arch::Human, Arch::Human, Arch::Beast, Arch::Bird, Arch::Human, Arch::Blob, Arch::Beast},
     {human::Thug, human::Warrior, beast::Wolf, bird::Crow, human::Gunman, 0, beast::Rat},
     {brown, tan, red, blue}},
    // 10 castle town
    {{Arch::Human, Arch::Golem, Arch::Human, Arch::Beast, Arch::Human, Arch::Bird, Arch::Human},
     {human::Knight, golem::Armour, human::Mage, beast::Lion, human::Priest, bird::Hawk, human::Warrior},
     {blue, silver, red, gold}},
    // 11 harbour
    {{Arch::Fish, Arch::Fish, Arch::Human, Arch::Fish, Arch::Bird, Arch::Undead, Arch::Serpent},
     {fish::Shark, fish::Crab, human::Thug, fish::Octopus, bird::Hawk, undead::Skeleton, serpent::Eastern},
     {blue, teal, red, sand}},
    // 12 misty peaks
    {{Arch::Human, Arch::Beast, Arch::Serpent, Arch::Bird, Arch::Human, Arch::Undead, Arch::Golem},
     {human::Monk, beast::Cat, serpent::Eastern, bird::Hawk, human::Monk, undead::Jiangshi, golem::Statue},
     {red, gold, green, white}},
    // 13 red temple
    {{Arch::Human, Arch::Undead, Arch::Beast, Arch::Serpent, Arch::Ghost, Arch::Human, Arch::Golem},
     {human::Monk, undead::Jiangshi, beast::Lion, serpent::Eastern, ghost::Wisp, human::Mage, golem::Statue},
     {red, gold, teal, orange}},
    // 14 lantern night
    {{Arch::Human, Arch::Beast, Arch::Bird, Arch::Serpent, Arch::Blob, Arch::Ghost, Arch::Human},
     {human::Monk, beast::Lion, bird::Phoenix, serpent::Eastern, 0, ghost::Wisp, human::Ninja},
     {red, orange, gold, magenta}},
    // 15 sunset boulevard
    {{Arch::Human, Arch::Human, Arch::Beast, Arch::Golem, Arch::Bird, Arch::Blob, Arch::Human},
     {human::Thug, human::Gunman, beast::Wolf, golem::Robot, bird::Hawk, 0, human::Thug},
     {magenta, orange, cyan, pink}},
    // 16 neon downtown
    {{Arch::Golem, Arch::Human, Arch::Eye, Arch::Human, Arch::Blob, Arch::Beast, Arch::Human},
     {golem::Robot, human::Thug, eye::Orb, human::Girl, 1, beast::Cat, human::Gunman},
     {magenta, cyan, purple, lime}},
    // 17 freeway
    {{Arch::Golem, Arch::Human, Arch::Human, Arch::Beast, Arch::Bug, Arch::Eye, Arch::Golem},
     {golem::Robot, human::Thug, human::Gunman, beast::Wolf, bug::Scorpion, eye::Crystal, golem::Armour},
     {silver, magenta, cyan, orange}},
    // 18 castle and blossoms
    {{Arch::Human, Arch::Human, Arch::Beast, Arch::Fish, Arch::Golem, Arch::Human, Arch::Bird},
     {human::Samurai, human::Ninja, beast::Wolf, fish::Crab, golem::Armour, human::Oni, bird::Crow},
     {red, pink, dark, gold}},
    // 19 shrine night
    {{Arch::Ghost, Arch::Human, Arch::Beast, Arch::Human, Arch::Undead, Arch::Ghost, Arch::Human},
     {ghost::Sheet, human::Oni, beast::Wolf, human::Ninja, undead::Skeleton, ghost::Wisp, human::Girl},
     {purple, red, white, teal}},
    // 20 snow peak
    {{Arch::Human, Arch::Beast, Arch::Ghost, Arch::Bird, Arch::Human, Arch::Golem, Arch::Blob},
     {human::Oni, beast::Bear, ghost::Wraith, bird::Owl, human::Samurai, golem::Statue, 0},
     {white, sky, blue, silver}},
    // 21 above the clouds
    {{Arch::Bird, Arch::Human, Arch::Blob, Arch::Bird, Arch::Ghost, Arch::Serpent, Arch::Bug},
     {bird::Hawk, human::Angel, 2, bird::Phoenix, ghost::Wisp, serpent::Dragon, bug::Bee},
     {sky, white, gold, cyan}},
    // 22 floating isles
    {{Arch::Human, Arch::Serpent, Arch::Bird, Arch::Golem, Arch::Eye, Arch::Beast, Arch::Plant},
     {human::Angel, serpent::Dragon, bird::Owl, golem::Armour, eye::Crystal, beast::Lion, plant::Flower},
     {green, sky, gold, lavender}},
    // 23 storm
    {{Arch::Serpent, Arch::Eye, Arch::Human, Arch::Ghost, Arch::Golem, Arch::Bird, Arch::Bat},
     {serpent::Dragon, eye::Cluster, human::Demon, ghost::Wraith, golem::Robot, bird::Crow, 0},
     {purple, yellow, dark, blue}},
    // 24 strange tower
    {{Arch::Eye, Arch::Human, Arch::Ghost, Arch::Golem, Arch::Serpent, Arch::Blob, Arch::Undead},
     {eye::Orb, human::Demon, ghost::Sheet, golem::Statue, serpent::Worm, 1, undead::Lich},
     {magenta, purple, lime, cyan}},
    // 25 beyond the top
    {{Arch::Eye, Arch::Human, Arch::Ghost, Arch::Serpent, Arch::Undead, Arch::Eye, Arch::Golem},
     {eye::Cluster, human::Demon, ghost::Wraith, serpent::Dragon, undead::Lich, eye::Crystal, golem::Robot},
     {night, magenta, gold, lavender}},
};

int sub_count(Arch a) {
    switch (a) {
        case Arch::Blob: return 4;  // the gobbler (4) only by name
        case Arch::Beast: return beast::Count;
        case Arch::Bird: return bird::Count;
        case Arch::Bat: return 1;
        case Arch::Bug: return bug::Count;
        case Arch::Serpent: return serpent::Count;
        case Arch::Golem: return golem::Count;
        case Arch::Plant: return plant::Count;
        case Arch::Ghost: return ghost::Count;
        case Arch::Eye: return eye::Count;
        case Arch::Undead: return undead::Count;
        case Arch::Fish: return fish::Count;
        default: return human::Count;
    }
}

// Natural colours for body plans that have them.
Ramp natural_body(const Genome& g, Rng& r) {
    switch (g.arch) {
        case Arch::Beast: {
            const Ramp opts[] = {brown, tan, gray, sand, dark, white, gold, olive};
            if (g.sub == beast::Cat) return r.chance(2) ? orange : (r.chance(2) ? gold : gray);
            if (g.sub == beast::Lion) return r.chance(2) ? gold : tan;
            if (g.sub == beast::Rat) return r.chance(2) ? gray : brown;
            if (g.sub == beast::Rabbit) return r.chance(2) ? white : (r.chance(2) ? sand : tan);
            if (g.sub == beast::Wolf) return r.chance(2) ? gray : (r.chance(2) ? silver : dark);
            if (g.sub == beast::Dog) return r.chance(2) ? tan : (r.chance(2) ? brown : white);
            if (g.sub == beast::Monkey) return r.chance(2) ? brown : tan;
            if (g.sub == beast::Elephant) return r.chance(3) ? silver : gray;
            if (g.sub == beast::Sheep) return r.chance(3) ? sand : white;
            if (g.sub == beast::Deer) return r.chance(2) ? tan : brown;
            return r.pick(opts);
        }
        case Arch::Bird: {
            const Ramp opts[] = {brown, tan, sky, blue, red, white, gray};
            if (g.sub == bird::Crow) return r.chance(3) ? purple : dark;
            if (g.sub == bird::Phoenix) return r.chance(2) ? red : orange;
            if (g.sub == bird::Chick) return r.chance(2) ? yellow : white;
            if (g.sub == bird::Hawk) return r.chance(2) ? brown : (r.chance(2) ? tan : gold);
            return r.pick(opts);
        }
        case Arch::Bat: {
            const Ramp opts[] = {purple, dark, brown, magenta, night};
            return r.pick(opts);
        }
        case Arch::Golem: {
            const Ramp opts[] = {gray, brown, sand, olive, teal};
            if (g.sub == golem::Robot) return r.chance(2) ? silver : (r.chance(2) ? blue : red);
            if (g.sub == golem::Armour) return r.chance(2) ? silver : (r.chance(2) ? dark : gold);
            return r.pick(opts);
        }
        case Arch::Plant: {
            if (g.sub == plant::Pumpkin) return orange;
            if (g.sub == plant::Treant || g.sub == plant::Cactus) return r.chance(3) ? olive : green;
            if (g.sub == plant::Flower) return r.chance(2) ? yellow : gold;
            const Ramp opts[] = {red, orange, purple, teal, magenta, lime, gold};
            return r.pick(opts);
        }
        case Arch::Ghost: {
            const Ramp opts[] = {white, lavender, sky, cyan, silver};
            if (g.sub == ghost::Wraith) return r.chance(2) ? night : purple;
            if (g.sub == ghost::Wisp) return r.chance(2) ? cyan : (r.chance(2) ? orange : lime);
            return r.pick(opts);
        }
        case Arch::Undead: {
            const Ramp opts[] = {purple, red, blue, brown, dark, teal};
            return r.pick(opts);
        }
        case Arch::Human: {
            const Ramp opts[] = {red, blue, green, purple, brown, teal, orange, gray, magenta, olive};
            return r.pick(opts);
        }
        default:
            return r.pick(kAllBody);
    }
}

Ramp lighter(const Ramp& b) {
    switch (b.base()) {
        case G1: return gray;
        case D1: return purple;
        case VI: return lavender;
        case BN: return tan;
        case OL: return lime;
        case B: return sky;
        case TE: return cyan;
        case G: return lime;
        case R: return orange;
        case G2: return silver;
        case MG: return pink;
        case TN: return sand;
        case OR: return yellow;
        default: return white;
    }
}

Ramp darker(const Ramp& b) {
    switch (b.base()) {
        case W: return silver;
        case G3: return gray;
        case LB: return blue;
        case CY: return teal;
        case LG: return green;
        case YL: return orange;
        case SN: return tan;
        case TN: return brown;
        case PK: return magenta;
        case LV: return purple;
        case OR: return red;
        case SK: return tan;
        default: return dark;
    }
}

// A title followed by a personal name in katakana ("雲の宿の女将オクモ"): the title says
// what the bearer is, and the name may only sound like a creature. Returns the title, or an
// empty string when the name has no such form.
std::string title_of(const std::string& name) {
    // Walk back over the trailing katakana (U+30A0..U+30FF: E3 82 A0 .. E3 83 BF in UTF-8).
    size_t end = name.size();
    while (end >= 3) {
        const auto b0 = static_cast<unsigned char>(name[end - 3]), b1 = static_cast<unsigned char>(name[end - 2]),
                   b2 = static_cast<unsigned char>(name[end - 1]);
        const bool kana = b0 == 0xE3 && ((b1 == 0x82 && b2 >= 0xA0) || b1 == 0x83);
        if (!kana) break;
        end -= 3;
    }
    if (end == name.size() || end == 0) return {};
    return name.substr(0, end);
}

// The body plan a text names: the word ending furthest right wins (Japanese puts the head noun
// last: "the moon's wolf" is a wolf), and of those the longest.
bool match_words(const std::string& text, Genome& g) {
    size_t best_end = 0, best_len = 0;
    bool named = false;
    for (const auto& w : kWords) {
        const size_t pos = text.rfind(w.text);
        if (pos == std::string::npos) continue;
        const size_t len = std::strlen(w.text), end = pos + len;
        if (end > best_end || (end == best_end && len > best_len)) {
            best_end = end;
            best_len = len;
            g.arch = w.arch;
            g.sub = w.sub;
            named = true;
        }
    }
    return named;
}

// Words in a katakana personal name count only where a part of the name starts with them
// ("ボス・ニャンコ" is a cat, "オクモ" no spider). The last part that names something wins.
bool match_personal_name(const std::string& name, Genome& g) {
    bool named = false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t dot = name.find("・", start);
        if (dot == std::string::npos) dot = name.size();
        const std::string part = name.substr(start, dot - start);
        size_t best = 0;
        for (const auto& w : kWords) {
            const size_t len = std::strlen(w.text);
            if (len > best && part.compare(0, len, w.text) == 0) {
                best = len;
                g.arch = w.arch;
                g.sub = w.sub;
                named = true;
            }
        }
        start = dot + std::strlen("・");
    }
    return named;
}

// Animals keep the colours of their kind, whatever the floor's tint.
bool natural_kind(const Genome& g) {
    return g.arch == Arch::Beast || g.arch == Arch::Bird || (g.arch == Arch::Plant && g.sub == plant::Pumpkin);
}

}  // namespace

bool keeps_its_colours(const Genome& g) { return natural_kind(g); }

void ensure_contrast(Genome& g, float bg) {
    // A white crow is no crow: animals keep their colours and get a rim of light instead.
    if (natural_kind(g)) return;
    for (int k = 0; k < 2; ++k) {
        const float lb = luma(g.body.base());
        if (std::abs(lb - bg) >= 0.2f) return;
        g.body = bg < 0.6f ? lighter(g.body) : darker(g.body);
        g.belly = belly_for(g.body);
    }
}

Genome genome_from(const std::string& name, const std::string& about, uint64_t seed, int culture, int floor_hint,
                   int slot_hint) {
    Genome g;
    g.seed = seed;
    g.culture = culture;
    Rng r(seed);
    bool named = false;
    const std::string title = title_of(name);
    if (!title.empty()) named = match_personal_name(name.substr(title.size()), g) || match_words(title, g);
    for (const auto& text : {name, about}) {
        if (named || text.empty()) continue;
        named = match_words(text, g);
    }
    // Women of the town wear their hair long.
    if (g.arch == Arch::Human && g.sub == human::Townsman &&
        (name.find("女") != std::string::npos || name.find("おばちゃん") != std::string::npos))
        g.headgear = 12;
    // Kings and emperors wear a crown, whatever they are.
    for (const char* w : {"王", "帝", "キング", "クイーン", "大明神"})
        if (name.find(w) != std::string::npos) g.crown = true;
    const int slot = slot_hint;
    if (!named) {
        if (floor_hint >= 0 && floor_hint < 26) {
            const FloorPlan& plan = kPlans[floor_hint];
            const int k = slot >= 0 && slot < 7 ? slot : r.range(7);
            g.arch = plan.arch[k];
            g.sub = plan.sub[k];
        } else {
            g.arch = static_cast<Arch>(r.range(static_cast<int>(Arch::Count)));
            g.sub = -1;
        }
    }
    if (g.sub < 0) g.sub = r.range(sub_count(g.arch));
    if (g.arch == Arch::Blob && g.sub > 4) g.sub %= 4;

    // Colours: the name's colour word wins; else the floor's tint or the body plan's nature.
    bool hued = false;
    for (const auto& text : {name, about}) {
        if (hued || text.empty()) continue;
        // Colour words come first, as adjectives: the leftmost wins.
        size_t best_pos = std::string::npos;
        for (const auto& h : kHues) {
            const size_t pos = text.find(h.text);
            if (pos != std::string::npos && (best_pos == std::string::npos || pos < best_pos)) {
                best_pos = pos;
                g.body = h.ramp;
                hued = true;
            }
        }
    }
    if (!hued) {
        const bool natural = natural_kind(g) || (g.arch != Arch::Blob && g.arch != Arch::Eye && !r.chance(3));
        const Ramp bright[] = {green, blue, pink, cyan, lavender, orange, gold, red, lime, sky, magenta, teal};
        if (g.arch == Arch::Blob) g.body = r.pick(bright);
        else if (natural) g.body = natural_body(g, r);
        else if (floor_hint >= 0 && floor_hint < 26) g.body = kPlans[floor_hint].tint[r.range(4)];
        else g.body = r.pick(kAllBody);
    }
    g.belly = belly_for(g.body);
    do {
        g.accent = r.pick(kAccents);
    } while (same(g.accent, g.body));
    {
        const Ramp extras[] = {gray, brown, dark, silver, tan, night, olive};
        g.extra = r.pick(extras);
        if (same(g.extra, g.body)) g.extra = same(g.body, dark) ? gray : dark;
    }
    const uint8_t eye_cols[] = {YL, R, CY, LG, OR, PK, W};
    g.eye_col = r.pick(eye_cols);
    const int styles[] = {0, 1, 2, 3, 4, 5};
    g.eye_style = r.pick(styles);
    g.mouth = r.range(5);
    g.pattern = r.range(3);
    g.size = r.between(0.94f, 1.04f);
    // Horns only on the creatures of fancy; a horned cat or dog reads as something else.
    if (!natural_kind(g) && g.arch != Arch::Human && g.arch != Arch::Undead && g.arch != Arch::Golem &&
        !(g.arch == Arch::Plant && g.sub == plant::Pumpkin) && r.chance(6))
        g.horns = 1 + r.range(3);
    if (g.arch == Arch::Serpent && g.sub == serpent::Dragon) g.wings = 2;
    if (g.arch == Arch::Beast && g.sub == beast::Lion && r.chance(4)) g.wings = 1;
    if (g.arch == Arch::Blob || (g.arch == Arch::Plant && g.sub != plant::Flytrap)) {
        const int cute[] = {5, 5, 1, 0, 4};
        g.eye_style = r.pick(cute);
        const int mouths[] = {4, 4, 1, 3, 0};
        g.mouth = r.pick(mouths);
    }

    // Two residents of the game keep the colours of their own portraits.
    if (g.arch == Arch::Blob && g.sub == 4) {
        g.body = purple;
        g.eye_col = K;
    }
    if (name.find("わたっ娘") != std::string::npos) {
        g.accent = pink;
        g.body = yellow;
        g.weapon = 0;
    }

    // The three rare slots of a floor.
    switch (slot) {
        case 7: {  // rare extra: a shining variant
            g.rank = kRare;
            const Ramp shiny[] = {gold, silver, pink, sky};
            g.body = r.pick(shiny);
            g.belly = white;
            g.accent = same(g.body, gold) ? cyan : gold;
            g.eye_col = CY;
            g.eye_style = 2;
            break;
        }
        case 8:  // floor master: bigger, crowned, fierce
            g.rank = kMaster;
            g.crown = true;
            g.size = 1.07f;
            g.eye_style = g.arch == Arch::Human ? 4 : 3;
            g.accent = red;
            if (!natural_kind(g) && g.arch != Arch::Human && g.arch != Arch::Undead && !g.horns) g.horns = 2;
            break;
        case 9:  // phantom apostle: drained of colour, eyes burning pink
            g.rank = kApostle;
            g.body = r.chance(2) ? night : purple;
            g.belly = lavender;
            g.extra = night;
            g.accent = magenta;
            g.eye_col = PK;
            g.eye_style = 2;
            if (g.arch == Arch::Human && r.chance(2)) g.wings = 2;
            break;
        default:
            break;
    }
    return g;
}

}  // namespace cggen
