#include "help_page.h"

#include <string_view>

namespace assetgen {

namespace {

// ---- movement diagrams -------------------------------------------------------
// A diagram is drawn from rows of characters: 'P' the piece, 'o' a square it
// steps to, 'j' a square it jumps to, an arrow a line it slides along, '.' any
// other square. Forward is up.

std::string Cell(char32_t c, const std::string& piece) {
  switch (c) {
    case U'P': return "<td class=\"me\">" + piece + "</td>";
    case U'o': return "<td class=\"step\">●</td>";
    case U'j': return "<td class=\"jump\">◆</td>";
    case U'.': return "<td></td>";
    default: {
      std::string arrow;
      // Re-encode the one arrow character as UTF-8.
      arrow += static_cast<char>(0xE0 | (c >> 12));
      arrow += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      arrow += static_cast<char>(0x80 | (c & 0x3F));
      return "<td class=\"slide\">" + arrow + "</td>";
    }
  }
}

std::string Diagram(const std::string& piece, std::initializer_list<std::u32string_view> rows) {
  std::string html = "<table class=\"move\">";
  for (std::u32string_view row : rows) {
    html += "<tr>";
    for (char32_t c : row) html += Cell(c, piece);
    html += "</tr>";
  }
  html += "</table>";
  return html;
}

struct PieceEntry {
  const char* name;
  const char* reading;
  std::string diagram;
  const char* text;
};

std::string PieceTable() {
  const PieceEntry entries[] = {
      {"歩", "ふ", Diagram("歩", {U".....", U"..o..", U"..P..", U".....", U"....."}),
       "前に一マス進みます。成ると「と」になり、金と同じ動きをします。"},
      {"香", "きょう", Diagram("香", {U"..↑..", U"..↑..", U"..P..", U".....", U"....."}),
       "前にまっすぐ、駒に当たるまで何マスでも進めます。間の駒は飛び越えられません。成ると金と同じ"
       "動きをします。"},
      {"桂", "けい", Diagram("桂", {U".j.j.", U".....", U"..P..", U".....", U"....."}),
       "二つ前の左右どちらかのマスへ跳びます。間にある駒は飛び越えます。成ると金と同じ動きをします"
       "。"},
      {"嶺", "れい", Diagram("嶺", {U".j.j.", U".....", U".....", U"..P..", U"....."}),
       "この将棋だけの駒です。横に一列、前に三段のマスへ跳びます（行き先は左右の二か所）。"
       "間にある駒は飛び越えます。成ると金と同じ動きをします。"},
      {"銀", "ぎん", Diagram("銀", {U".....", U".ooo.", U"..P..", U".o.o.", U"....."}),
       "前と斜め前、斜め後ろに一マスずつ動けます。真横と真後ろには動けません。成ると金と同じ動きを"
       "します。"},
      {"金", "きん", Diagram("金", {U".....", U".ooo.", U".oPo.", U"..o..", U"....."}),
       "前と斜め前、真横、真後ろに一マスずつ動けます。斜め後ろには動けません。金は成りません。"},
      {"銅", "どう", Diagram("銅", {U".....", U".ooo.", U"..P..", U"..o..", U"....."}),
       "この将棋だけの駒です。前と斜め前、真後ろに一マスずつ動けます。真横と斜め後ろには動けません"
       "。"
       "成ると金と同じ動きをします。"},
      {"角", "かく", Diagram("角", {U"↖...↗", U".↖.↗.", U"..P..", U".↙.↘.", U"↙...↘"}),
       "斜めに何マスでも進めます。成ると「馬」になり、角の動きに加えて縦横にも一マス動けます。"},
      {"飛", "ひ", Diagram("飛", {U"..↑..", U"..↑..", U"←←P→→", U"..↓..", U"..↓.."}),
       "縦と横に何マスでも進めます。成ると「龍」になり、飛車の動きに加えて斜めにも一マス動けます"
       "。"},
      {"王", "おう", Diagram("王", {U".....", U".ooo.", U".oPo.", U".ooo.", U"....."}),
       "周りの八方向に一マスずつ動けます。王は成りません。"},
  };
  const PieceEntry promoted[] = {
      {"馬", "うま", Diagram("馬", {U"↖...↗", U".↖o↗.", U".oPo.", U".↙o↘.", U"↙...↘"}),
       "成った角です。斜めに何マスでも進めるうえ、縦横にも一マス動けます。"},
      {"龍", "りゅう", Diagram("龍", {U"..↑..", U".o↑o.", U"←←P→→", U".o↓o.", U"..↓.."}),
       "成った飛です。縦横に何マスでも進めるうえ、斜めにも一マス動けます。"},
      {"と", "と", Diagram("と", {U".....", U".ooo.", U".oPo.", U"..o..", U"....."}),
       "成った歩・香・桂・嶺・銀・銅は、どれも金と同じ動きになります。駒には、と（歩）、杏（香）、"
       "圭（桂）、全（銀）と書かれ、嶺と銅は「成嶺」「成銅」と二文字で書かれています。"},
  };
  std::string html = "<table class=\"pieces\">\n";
  auto row = [&html](const PieceEntry& e, bool red) {
    html += red ? "<tr><th><span class=\"koma red\">" : "<tr><th><span class=\"koma\">";
    html += e.name;
    html += "</span><br><small>";
    html += e.reading;
    html += "</small></th><td>" + e.diagram + "</td><td>";
    html += e.text;
    html += "</td></tr>\n";
  };
  for (const PieceEntry& e : entries) row(e, false);
  for (const PieceEntry& e : promoted) row(e, true);
  html += "</table>\n";
  return html;
}

// ---- initial placements -------------------------------------------------------

// The lower side's back row and the square of its 銅, for one placement; the
// upper side is the same turned by half a turn.
std::string PlacementBoard(const char* const backRow[10], int copperColumn) {
  const char* kanjiRows[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
  const char* files[] = {"10", "９", "８", "７", "６", "５", "４", "３", "２", "１"};
  std::string board[11][11];  // [x][y], 1-based
  for (int x = 1; x <= 10; ++x) {
    board[x][8] = "-歩";
    board[11 - x][3] = "+歩";
    board[x][10] = std::string("-") + backRow[x - 1];
    board[11 - x][1] = std::string("+") + backRow[x - 1];
  }
  board[2][9] = "-角";
  board[9][9] = "-飛";
  board[copperColumn][9] = "-銅";
  board[9][2] = "+角";
  board[2][2] = "+飛";
  board[11 - copperColumn][2] = "+銅";

  std::string html = "<table class=\"board\"><tr><td class=\"label\"></td>";
  for (const char* f : files) html += std::string("<td class=\"label\">") + f + "</td>";
  html += "</tr>\n";
  for (int y = 1; y <= 10; ++y) {
    html += std::string("<tr><td class=\"label\">") + kanjiRows[y - 1] + "</td>";
    for (int x = 1; x <= 10; ++x) {
      const std::string& s = board[x][y];
      if (s.empty()) {
        html += "<td></td>";
      } else if (s[0] == '+') {
        html += "<td><span class=\"up\">" + s.substr(1) + "</span></td>";
      } else {
        html += "<td>" + s.substr(1) + "</td>";
      }
    }
    html += "</tr>\n";
  }
  html += "</table>\n";
  return html;
}

std::string Placements() {
  const char* right[10] = {"香", "桂", "銀", "金", "王", "金", "銀", "嶺", "桂", "香"};
  const char* left[10] = {"香", "桂", "嶺", "銀", "金", "王", "金", "銀", "桂", "香"};
  return "<div class=\"boards\"><figure>" + PlacementBoard(right, 5) +
         "<figcaption>右嶺（６九に銅、３十に嶺）</figcaption></figure><figure>" +
         PlacementBoard(left, 6) +
         "<figcaption>左嶺（５九に銅、８十に嶺）</figcaption></figure></div>\n";
}

// ---- handicaps --------------------------------------------------------------

std::string HandicapTable() {
  struct Row {
    const char* caption;
    const char* removed;
  };
  const Row rows[] = {
      {"５段", "下の桂（２十）まで、下の角・飛・香二枚・桂二枚の六枚を除く"},
      {"４段", "下の桂（９十）まで、五枚を除く"},
      {"３段", "下の香（１十）まで、四枚を除く"},
      {"２段", "下の香（10十）まで、三枚を除く"},
      {"初段", "下の飛（２九）まで、二枚を除く"},
      {"１級", "下の角（９九）を除く"},
      {"２級", "平手（駒落ちなし）"},
      {"３級", "上の角（２二）を除く"},
      {"４級", "上の飛（９二）まで、二枚を除く"},
      {"５級", "上の香（１一）まで、三枚を除く"},
      {"６級", "上の香（10一）まで、四枚を除く"},
      {"７級", "上の桂（２一）まで、五枚を除く"},
      {"８級", "上の桂（９一）まで、上の角・飛・香二枚・桂二枚の六枚を除く"},
  };
  std::string html = "<table class=\"list\"><tr><th>表示</th><th>盤の状態</th></tr>\n";
  for (const Row& r : rows) {
    html +=
        std::string("<tr><td>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:") + r.caption + "</td><td>" + r.removed + "</td></tr>\n";
  }
  html += "</table>\n";
  return html;
}

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<title>QZ嶺将棋 解説</title>
<style>
body { font-family: "IPAexMincho", "Yu Mincho", "MS PMincho", serif; background: #f4ead6;
       color: #2a1c0c; margin: 0; line-height: 1.7; }
header { background: #5a3a1a; color: #fbe9c4; padding: 18px 32px; }
header h1 { margin: 0; font-size: 30px; letter-spacing: 0.1em; }
header p { margin: 4px 0 0; }
nav { background: #e3cfa4; padding: 8px 32px; font-size: 14px; }
nav a { color: #5a3a1a; margin-right: 14px; text-decoration: none; white-space: nowrap; }
main { max-width: 920px; margin: 0 auto; padding: 8px 32px 40px; }
h2 { border-bottom: 2px solid #b38444; padding-bottom: 2px; margin-top: 36px; color: #5a3a1a; }
h3 { margin-bottom: 4px; color: #6b4420; }
table { border-collapse: collapse; }
table.list td, table.list th { border: 1px solid #c9a76a; padding: 3px 10px; vertical-align: top; }
table.list th { background: #e8d3a6; white-space: nowrap; }
table.list td:not(:last-child) { white-space: nowrap; }
table.pieces { margin: 8px 0; }
table.pieces > tbody > tr > th, table.pieces > tbody > tr > td { padding: 6px 10px;
       border-bottom: 1px solid #d8bd8a; vertical-align: middle; }
table.move td { width: 24px; height: 24px; border: 1px solid #b99a62; background: #e8c57f;
       text-align: center; font-size: 15px; line-height: 1; padding: 0; }
table.move td.me { background: #fbe3aa; font-weight: bold; }
table.move td.step { color: #a31c1c; }
table.move td.jump { color: #1c4fa3; }
table.move td.slide { color: #a31c1c; font-size: 14px; }
table.pieces th { white-space: nowrap; }
.koma { display: inline-block; font-size: 24px; background: #f6da9c; border: 1px solid #4a2e14;
        padding: 0 5px; clip-path: polygon(50% 0, 90% 22%, 100% 100%, 0 100%, 10% 22%);
        padding-top: 6px; }
.red { color: #c41818; }
.boards { display: flex; flex-wrap: wrap; gap: 24px; }
figure { margin: 8px 0; }
figcaption { text-align: center; }
table.board td { width: 24px; height: 26px; border: 1px solid #6e8a3a; background: #e0b970;
       text-align: center; font-size: 16px; padding: 0; }
table.board td.label { border: none; background: none; font-size: 12px; }
.up { display: inline-block; transform: rotate(180deg); }
.note { background: #fff6e0; border-left: 4px solid #c9a76a; padding: 6px 12px; }
kbd { border: 1px solid #8a6a3a; border-radius: 3px; padding: 0 4px; background: #fffaf0; }
</style>
</head>
<body>
<header>
<h1>QZ嶺将棋</h1>
<p>十路盤に「嶺」と「銅」の加わった将棋 ― 遊び方の解説</p>
</header>
<nav>
<a href="#quick">かんたんな遊び方</a><a href="#about">この将棋について</a><a href="#pieces">駒と動き</a><a href="#promotion">成り</a>
<a href="#drop">持ち駒</a><a href="#end">勝ち負け</a><a href="#placement">初期配置</a>
<a href="#play">対局のしかた</a><a href="#menu">メニュー</a><a href="#handicap">ハンディキャップ</a>
<a href="#kifu">棋譜ファイル</a><a href="#ini">設定ファイル</a><a href="#folders">ファイルの置き場所</a>
</nav>
<main>
)";

constexpr std::string_view kQuick = R"(
<h2 id="quick">かんたんな遊び方</h2>
<ul>
<li>動かす駒をクリックし、次に行き先のマスをクリックします。持ち駒は盤の横の駒をクリックしてから、打つマスをクリックします。</li>
<li>成るときは、行き先のマスを<b>マウスの右ボタン</b>でクリックします。</li>
<li>「ｵﾌﾟｼｮﾝ」→「移動指導」をオンにすると、選んだ駒の動けるマスが白い枠で示されます。</li>
<li>新しく対局するときは、「局面」→「最初」で初めの局面に戻してから、「対局」→「対局(COM)」→「先手」（あなたが先に指す）か
「後手」（コンピュータが先に指す）、二人で指すときは「対局」→「対局(人間)」→「スタート」を選びます。</li>
</ul>
<table class="list">
<tr><th>メニュー</th><th>中身</th></tr>
<tr><td>対局</td><td>対局の開始（二人で・コンピュータと）、コンピュータの強さ（LEVEL1〜5）、終わり</td></tr>
<tr><td>局面</td><td>最初（初めの局面に戻す）、反転（盤を半回転させて両軍を入れ替える）</td></tr>
<tr><td>戻・進</td><td>一手戻す・一手進める（読み込んだ棋譜の再生も）</td></tr>
<tr><td>△・▽</td><td>一手目の前に駒を落とすハンディキャップ</td></tr>
<tr><td>棋譜</td><td>読込・書込（棋譜ファイル）</td></tr>
<tr><td>ｵﾌﾟｼｮﾝ</td><td>背景画、移動指導、経過時間、BGM、初期配置</td></tr>
<tr><td>その他</td><td>解説（このページ）、バージョン情報</td></tr>
<tr><td>検討</td><td>ヒント（コンピュータのおすすめの手）、検討ウィンドウ（棋譜・形勢の読み・評価値グラフ）</td></tr>
</table>
<p>設定と棋譜の置き場所は<a href="#folders">ファイルの置き場所</a>にあります。</p>
)";

constexpr std::string_view kAbout = R"(
<h2 id="about">この将棋について</h2>
<p>QZ嶺将棋は、縦横十マスの盤で指す将棋です。先手・後手ともに二十三枚の駒を持ち、
本将棋の駒（歩十枚、香二枚、桂二枚、銀二枚、金二枚、角、飛、王）に、
この将棋だけの駒「<b>嶺</b>」と「<b>銅</b>」が一枚ずつ加わります。</p>
<p>コンピュータと対局するほか（強さは三段階）、二人で一つの盤を使って対局することもできます。
対局は棋譜ファイルに保存して、あとから一手ずつ再生できます。</p>
<p>盤の上の数字は筋（右端が１、左端が10）、右の漢数字は段（上が一、下が十）です。
手の表示は「７三歩」のように、筋・段・駒の名前の順に書きます。</p>
<p>あなた（下側）の持ち駒は盤の右に、上側の持ち駒は盤の左に並びます。
下側の最後の手と手数は盤の右に、上側の最後の手は盤の左下に、
両者の経過時間は盤の下の左右に表示されます。</p>
)";

constexpr std::string_view kPiecesIntro = R"(
<h2 id="pieces">駒と動き</h2>
<p>図は下側から見た動きです（上が前）。<span class="red">●</span>は一マス動けるところ、
<span style="color:#1c4fa3">◆</span>は跳んで行けるところ（途中の駒を飛び越えます）、
矢印はその方向に駒に当たるまで何マスでも進めることを表します。
進む先に相手の駒があれば、それを取ることができます。自分の駒があるマスには進めません。</p>
)";

constexpr std::string_view kPromotionAndDrops = R"(
<h2 id="promotion">成り</h2>
<p>盤の奥の三段（下側なら一〜三段、上側なら八〜十段）が敵陣です。</p>
<ul>
<li>歩・香・桂・嶺は、<b>行き先が敵陣のとき</b>に成ることができます。</li>
<li>銀・銅・角・飛は、敵陣に入るとき、敵陣の中で動くとき、敵陣から出るときに成ることができます。</li>
<li>金と王は成りません。成った駒は元に戻りません。</li>
<li>次の場合は必ず成らなければなりません。歩と香は最奥の一段、桂は奥の二段、
<b>嶺は敵陣の三段すべて</b>。嶺は敵陣に入ったら必ず成ります。</li>
</ul>
<p class="note">成るときは、行き先のマスを<b>マウスの右ボタン</b>でクリックします。
左ボタンなら成りません。必ず成る場所を左ボタンでクリックすると
「マウスの右をクリックして下さい」と表示されるので、右ボタンでクリックし直してください。</p>

<h2 id="drop">持ち駒と打ち駒</h2>
<p>取った駒は持ち駒になり、自分の番に盤の空いているマスへ打つことができます。
成っている駒を取ると、元の駒として持ち駒になります。駒を打つのも一手です。
打った駒はその手では成れません。</p>
<ul>
<li><b>二歩の禁止</b>：成っていない自分の歩がある筋には、歩を打てません（「と」は数えません）。</li>
<li>動けなくなる場所には打てません。歩と香は最奥の一段、桂は奥の二段、嶺は奥の三段に打つことはできません。</li>
<li>銀・金・銅・角・飛はどの空きマスにも打てます。</li>
<li>打ち歩詰めの禁止や千日手の決まりはありません。</li>
</ul>

<h2 id="end">勝ち負け</h2>
<p>相手の王を取ると勝ちです。王手をかけられても、それを放っておく手を指すこともできますが、
そのときは王を取られて負けになります。</p>
<p>コンピュータとの対局では、あなたの指した手でコンピュータの王が詰むと、その場で
「あなたの勝ちです」と表示されます。コンピュータがあなたの王を詰ませたときは知らせが出ますが、
王が取られるまで対局は続きます。勝負がついたあとに盤をクリックすると
「新規に対局してください」と表示されます。</p>
)";

constexpr std::string_view kPlacementIntro = R"(
<h2 id="placement">初期配置 ― 右嶺と左嶺</h2>
<p>初期配置は二通りあり、メニューの「ｵﾌﾟｼｮﾝ」→「初期配置」で選びます。
違うのは一番下（上側は一番上）の段の並びと銅の位置だけで、名前は下側の嶺が
右にあるか左にあるかを表します。上側の駒は下側の駒を盤ごと半回転させた位置に並びます。</p>
<ul>
<li><b>右嶺</b>：十段目は左から 香 桂 銀 金 王 金 銀 嶺 桂 香。銅は王の前（６九）。</li>
<li><b>左嶺</b>：十段目は左から 香 桂 嶺 銀 金 王 金 銀 桂 香。銅は王の前（５九）。</li>
</ul>
<p>どちらも角は９九、飛は２九、歩は八段目に十枚並びます（上側は２二に角、９二に飛、三段目に歩）。
初期配置は一手も指していないときだけ切り替えられ、選んだ配置は設定ファイルに保存されます。</p>
)";

constexpr std::string_view kPlay = R"(
<h2 id="play">対局のしかた</h2>
<ol>
<li>メニューの「対局」から始めます。コンピュータと指すときは「対局(COM)」の「先手」（あなたが先に指す）
または「後手」（コンピュータが先に指す）、二人で指すときは「対局(人間)」の「スタート」を選びます。</li>
<li>動かしたい駒（または持ち駒）をクリックすると赤い枠で囲まれます。
「移動指導」をオンにしておくと、動けるマスが白い枠で示されます。</li>
<li>行き先のマスをクリックすると駒が動きます。成るときは右ボタンでクリックします。
別の自分の駒をクリックすると、そちらを選び直せます。動けないマスをクリックすると選択が取り消されます。</li>
<li>コンピュータとの対局では、あなたが指すとすぐにコンピュータが考えて指し返します。
考えている間は盤の左下に「思考中」と表示されます。</li>
</ol>
<p>相手の駒をクリックすると、その駒の動けるマスを確かめられます（移動指導がオンのとき）。</p>
)";

constexpr std::string_view kMenu = R"(
<h2 id="menu">メニュー</h2>
<table class="list">
<tr><th>メニュー</th><th>項目</th><th>はたらき</th></tr>
<tr><td rowspan="12">対局</td><td>対局(人間) → スタート</td><td>二人で対局します。下側が先手です。
対局の途中で選ぶと、その局面から二人対局として続けます。</td></tr>
<tr><td>対局(COM) → 先手</td><td>コンピュータと対局し、あなた（下側）が先に指します。途中で選ぶと、その局面から続けます。</td></tr>
<tr><td>対局(COM) → 後手</td><td>コンピュータと対局し、コンピュータ（上側）が先に指します。</td></tr>
<tr><td>COM対局ﾚﾍﾞﾙ → LEVEL1</td><td>コンピュータを一番弱くします。</td></tr>
<tr><td>COM対局ﾚﾍﾞﾙ → LEVEL2</td><td>中くらいの強さにします。</td></tr>
<tr><td>COM対局ﾚﾍﾞﾙ → LEVEL3</td><td>一手先を読むレベルの中で一番強くします（起動時はこれ）。強さは対局の途中でも変えられ、次の手から効きます。</td></tr>
<tr><td>COM対局ﾚﾍﾞﾙ → LEVEL4</td><td>何手か先まで読みますが、読みは浅く、よい手の候補の中から少し劣る手も選びます。一手に1秒以内です。考えている間も時計は進み、<kbd>Esc</kbd>キーで終われます。</td></tr>
<tr><td>COM対局ﾚﾍﾞﾙ → LEVEL5</td><td>LEVEL4より深く読み、劣る手を選ぶことが減ります（一手に1秒以内）。</td></tr>
<tr><td>COM対局ﾚﾍﾞﾙ → LEVEL6</td><td>さらに深く読み、候補の手の差をよく見分けます（一手に1秒以内）。</td></tr>
<tr><td>COM対局ﾚﾍﾞﾙ → LEVEL7</td><td>いつも一番よいと読んだ手を指します（一手に約1秒）。</td></tr>
<tr><td>COM対局ﾚﾍﾞﾙ → LEVEL8</td><td>さらに深く読む、一番強いレベルです（一手に約5秒）。LEVEL4からLEVEL8までは、一つ上のレベルがおよそ4局に3局勝つように決めてあります。</td></tr>
<tr><td>終わり</td><td>ゲームを終えます。対局は保存されません。<kbd>Esc</kbd>キーやウィンドウを閉じても終わります。</td></tr>
<tr><td rowspan="2">局面</td><td>最初</td><td>対局をやめて、初めの局面に戻します（確認はありません）。</td></tr>
<tr><td>反転</td><td>盤を半回転させ、両軍の位置を入れ替えます。持ち駒も入れ替わり、手番はそのまま、
それまでの手順は消えます。経過時間は、それまで考えていた側に加えてから計り直します。コンピュータとの対局では、あなたはコンピュータが持っていた軍を受け持つことになります。
棋譜の再生中はできません。</td></tr>
<tr><td>戻</td><td></td><td>一手戻します。戻したあとに盤をクリックすると、その局面から対局を続けられます。</td></tr>
<tr><td>進</td><td></td><td>戻した手を一手進めます。読み込んだ棋譜もこれで一手ずつ再生します。</td></tr>
<tr><td>△</td><td></td><td>ハンディキャップを一段上げます（上側の駒を一枚除く、または下側の駒を一枚戻す）。</td></tr>
<tr><td>▽</td><td></td><td>ハンディキャップを一段下げます（下側の駒を一枚除く、または上側の駒を一枚戻す）。</td></tr>
<tr><td rowspan="2">棋譜</td><td>読込</td><td>棋譜ファイルを読み込みます。</td></tr>
<tr><td>書込</td><td>いまの対局を棋譜ファイルに書き込みます。</td></tr>
<tr><td rowspan="5">ｵﾌﾟｼｮﾝ</td><td>背景画 → 桜・畳・竹・宇宙・煉瓦</td><td>盤の周りの絵を選びます。</td></tr>
<tr><td>移動指導</td><td>オンにすると、選んだ駒の動けるマスを白い枠で示します。</td></tr>
<tr><td>経過時間</td><td>両者の使った時間（時:分:秒）を表示します。時間切れはありません。</td></tr>
<tr><td>BGM</td><td>背景の音楽を流します。</td></tr>
<tr><td>初期配置 → 右嶺・左嶺</td><td>二通りの初期配置から選びます（一手も指していないときだけ）。</td></tr>
<tr><td rowspan="2">その他</td><td>解説</td><td>このページを開きます。</td></tr>
<tr><td>バージョン情報</td><td>版の情報を表示します。</td></tr>
<tr><td rowspan="2">検討</td><td>ヒント</td><td>対局中、あなたの番に押すと、コンピュータ（LEVEL7と同じ約1秒の深い読み。選んだレベルによりません）が
あなたに代わって指す手を考え、動かす駒（打つときは持ち駒）と行き先を黄色の枠で示します（次にクリックするまで）。
手と評価値は、検討ウィンドウが開いていればそこに、閉じていれば「ヒント」の箱に表示されます。対局していないときやコンピュータの番には使えません。</td></tr>
<tr><td>検討ウィンドウ</td><td>盤の横に別の窓を開きます（もう一度選ぶと閉じます）。上から、
<b>棋譜</b>（「▲７六歩(77)」「△同　銀(62)」「▲５五嶺打」のような書き方で、盤の局面に至った手が選ばれています。手をクリックすると、戻・進と同じようにその局面を表示します）、
<b>検討</b>（盤の局面の読み：深さ、下側（▲）から見た評価値（歩一枚がおよそ100）と▲の勝率、読み筋、一秒あたりの局面数。コンピュータが考えている間は休みます）、
<b>評価値グラフ</b>（一局の形勢の移り変わり。上が▲有利、下が△有利で、±20枚分で頭打ち、詰みは端に描きます。盤の局面は橙の線、評価値が大きく下がった手は赤い丸で示し、点をクリックするとその局面を表示します）。
窓の位置と大きさは設定ファイルに保存されます。</td></tr>
</table>
<p>「ｵﾌﾟｼｮﾝ」の選択はすべて設定ファイルに保存され、次に起動したときも使われます。</p>
)";

constexpr std::string_view kHandicapIntro = R"(
<h2 id="handicap">ハンディキャップ</h2>
<p>一手目を指す前に、メニューの「▽」と「△」で駒を落として力の差を埋められます。
「▽」を押すたびに下側（あなた）の駒が一枚ずつ、角・飛・香（10十）・香（１十）・桂（９十）・桂（２十）の順に盤から除かれ、
「△」を押すたびに上側の駒が、角・飛・香（１一）・香（10一）・桂（２一）・桂（９一）の順に除かれます。
反対の向きに押すと、除いた駒が逆の順に戻ります。どちらにも六枚まで落とせます。</p>
<p>盤の右に、その手合いが目安とする棋力が表示されます。</p>
)";

constexpr std::string_view kHandicapOutro = R"(
<p>ハンディキャップは一手でも指したあと、棋譜の再生中、反転のあとには変えられません。
ハンディキャップを使った対局は棋譜ファイルに書き込めません。</p>
)";

constexpr std::string_view kKifu = R"(
<h2 id="kifu">棋譜ファイル（.棋譜）</h2>
<h3>書き込み</h3>
<p>「棋譜」→「書込」を選ぶと、盤の左上にドライブとフォルダの一覧、
「対局名」「先手」「後手」「ﾌｧｲﾙ名」の入力欄と「RETURN」ボタンが現れます。
保存するフォルダを選び、名前を入れて「RETURN」を押すと、「ﾌｧｲﾙ名.棋譜」という名前で書き込まれます。
同じ名前のファイルがあれば置き換えます。ファイル名が空のときや、まだ保存する手がないときは書き込みません。
反転のあとや、ハンディキャップを使った対局は書き込めません。</p>
<h3>読み込み</h3>
<p>「棋譜」→「読込」を選ぶと、フォルダの一覧と「.棋譜」ファイルの一覧が現れます。
ファイルをクリックすると読み込まれ、盤は初めの局面に戻り、対局名と両者の名前が盤の上下に表示されます。
あとは「進」で一手ずつ進め、「戻」で戻して棋譜を再生します。最後まで進むと「終わり」と表示されます。
再生中に盤をクリックすると続けるかどうかを尋ねられ、「いいえ」を選ぶと棋譜を閉じて新しい局面に戻ります。
途中の局面から対局を続けたいときは「対局」のメニューから始めてください。</p>
<h3>フォルダの一覧</h3>
<p>フォルダの一覧には、一番上のフォルダ（/）から今のフォルダまでが一段ずつ下げて並び、今のフォルダが選ばれた色で示されます。
その下に今のフォルダの中のフォルダが並びます。一覧のフォルダをダブルクリックすると、そこへ移ります。</p>
<h3>中身</h3>
<p>棋譜ファイルは Shift_JIS のテキストファイルです。一行目が対局名、二行目が上側の対局者、
三行目が下側の対局者の名前で、四行目からは一行に一つずつ、対局の各局面が書かれています。
一つの局面は、盤の百マスの駒（一マス四文字の数字）、両者の持ち駒の数、
両者の経過時間（秒）を決まった桁に並べたものです。</p>
)";

constexpr std::string_view kIni = R"(
<h2 id="ini">設定ファイル（QZ嶺将棋.ini）</h2>
<p>「ｵﾌﾟｼｮﾝ」の選択は、ゲームが使うフォルダ（<a href="#folders">ファイルの置き場所</a>）の「QZ嶺将棋.ini」に保存されます。
一行に一つ「キー=値」の形で書かれた Shift_JIS のテキストファイルで、
メニューで選択を変えるたびに書き直されます。ファイルがないときや読めないときは、初めの設定で作り直されます。</p>
<table class="list">
<tr><th>キー</th><th>値</th><th>初めの設定</th></tr>
<tr><td>背景画</td><td>嶺（桜の絵）、畳、竹、宇宙、煉瓦</td><td>背景画=嶺</td></tr>
<tr><td>移動指導</td><td>ON または OFF</td><td>移動指導=OFF</td></tr>
<tr><td>経過時間</td><td>ON または OFF</td><td>経過時間=ON</td></tr>
<tr><td>BGM</td><td>ON または OFF</td><td>BGM=ON</td></tr>
<tr><td>初期配置</td><td>右嶺 または 左嶺</td><td>初期配置=右嶺</td></tr>
<tr><td>検討ウィンドウ位置</td><td>検討ウィンドウの左上の位置「横,縦」（ピクセル）</td><td>（検討ウィンドウを動かすまで書かれません）</td></tr>
<tr><td>検討ウィンドウ大きさ</td><td>検討ウィンドウの大きさ「幅,高さ」（ピクセル）</td><td>（同上）</td></tr>
</table>
<p>キーと値は大文字・小文字や空白も含めてそのまま比べられます。
「ON」以外の値はオフとして、「右嶺」以外の初期配置は左嶺として扱われます。</p>
<h3>音について</h3>
<p>効果音とBGMは、ゲームが使うフォルダの「駒打音.wav」「禁止.wav」「その他.wav」「BGM.wav」から鳴らします。
ファイルがなければ、その音が鳴らないだけで、ゲームはそのまま遊べます。</p>

<h2 id="folders">ファイルの置き場所</h2>
<p>ゲームは、起動したフォルダに効果音のファイル（.wav）があればそのフォルダを使います。
なければ（デスクトップのメニューから起動したときなど）、データフォルダ
<code>~/.local/share/qzreishogi</code> を使い、最初の起動で効果音とこのページをそこへ写します。</p>
<table class="list">
<tr><th>ファイル</th><th>場所</th></tr>
<tr><td>設定ファイル「QZ嶺将棋.ini」、効果音、このページ</td><td>ゲームが使うフォルダ（データフォルダで遊んでいるときは
<code>~/.local/share/qzreishogi</code>）</td></tr>
<tr><td>棋譜ファイル（.棋譜）</td><td>棋譜の一覧で選んだフォルダ。一覧は、ゲームが使うフォルダで開きます。
データフォルダで遊んでいるときは、ドキュメントのフォルダ（<code>XDG_DOCUMENTS_DIR</code>、なければホームフォルダ）で開きます。</td></tr>
</table>
</main>
</body>
</html>
)";

// A line break between two Japanese characters shows as a blank in most
// browsers; the source keeps short lines, the page joins them.
std::string JoinJapaneseLines(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool afterWideCharacter = i > 0 && (static_cast<unsigned char>(text[i - 1]) & 0x80);
    if (text[i] == '\n' && afterWideCharacter) continue;
    out += text[i];
  }
  return out;
}

}  // namespace

std::string HelpPage() {
  std::string page;
  page += kHead;
  page += kQuick;
  page += kAbout;
  page += kPiecesIntro;
  page += PieceTable();
  page += kPromotionAndDrops;
  page += kPlacementIntro;
  page += Placements();
  page += kPlay;
  page += kMenu;
  page += kHandicapIntro;
  page += HandicapTable();
  page += kHandicapOutro;
  page += kKifu;
  page += kIni;
  return JoinJapaneseLines(page);
}

}  // namespace assetgen
