#include "app/game_menu_bar.h"

#include <QMenu>
#include <QMenuBar>

namespace qz::app {

QAction* GameMenuBar::addCommand(QMenu* menu, const char* caption, MenuCommand command,
                                 bool checkable) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setCheckable(checkable);
  connect(action, &QAction::triggered, this, [this, command] { onCommand_(command); });
  actions_[command] = action;
  return action;
}

GameMenuBar::GameMenuBar(QMenuBar* bar, std::function<void(MenuCommand)> onCommand)
    : QObject(bar), onCommand_(std::move(onCommand)) {
  using C = MenuCommand;
  auto opening = [this](QMenu* menu, MenuCommand command) {
    connect(menu, &QMenu::aboutToShow, this, [this, command] { onCommand_(command); });
  };
  auto topLevel = [&](const char* caption, MenuCommand command) {
    QAction* action = bar->addAction(QString::fromUtf8(caption));
    connect(action, &QAction::triggered, this, [this, command] { onCommand_(command); });
    actions_[command] = action;
  };

  QMenu* taikyoku = bar->addMenu(QString::fromUtf8("対局"));
  opening(taikyoku, C::OPEN_TAIKYOKU);
  QMenu* matchMan = taikyoku->addMenu(QString::fromUtf8("対局(人間)"));
  addCommand(matchMan, "スタート", C::START);
  QMenu* start2 = taikyoku->addMenu(QString::fromUtf8("対局(COM)"));
  addCommand(start2, "先手", C::SENTE);
  addCommand(start2, "後手", C::GOTE);
  QMenu* level = taikyoku->addMenu(QString::fromUtf8("COM対局ﾚﾍﾞﾙ"));
  addCommand(level, "LEVEL1", C::LEVEL1, true);
  addCommand(level, "LEVEL2", C::LEVEL2, true);
  addCommand(level, "LEVEL3", C::LEVEL3, true);
  addCommand(level, "LEVEL4", C::LEVEL4, true);
  addCommand(level, "LEVEL5", C::LEVEL5, true);
  addCommand(level, "LEVEL6", C::LEVEL6, true);
  addCommand(level, "LEVEL7", C::LEVEL7, true);
  addCommand(level, "LEVEL8", C::LEVEL8, true);
  addCommand(taikyoku, "終わり", C::OWARI);

  QMenu* stop = bar->addMenu(QString::fromUtf8("局面"));
  opening(stop, C::OPEN_STOP);
  addCommand(stop, "最初", C::CANCEL);
  addCommand(stop, "反転", C::REVERSE);

  topLevel("戻", C::REPLAY);
  topLevel("進", C::AFTER);
  topLevel("△", C::LBEL_UP);
  topLevel("▽", C::LEBEL_DOWN);

  QMenu* kifu = bar->addMenu(QString::fromUtf8("棋譜"));
  addCommand(kifu, "読込", C::KIFU_READ);
  addCommand(kifu, "書込", C::KIFU_WRITE);

  QMenu* option = bar->addMenu(QString::fromUtf8("ｵﾌﾟｼｮﾝ"));
  opening(option, C::OPEN_OPTION);
  QMenu* haikei = option->addMenu(QString::fromUtf8("背景画"));
  addCommand(haikei, "桜", C::MIDORI, true);
  addCommand(haikei, "畳", C::TATAMI, true);
  addCommand(haikei, "竹", C::TAKE, true);
  addCommand(haikei, "宇宙", C::UCHU, true);
  addCommand(haikei, "煉瓦", C::RENGA, true);
  addCommand(option, "移動指導", C::SIDOU, true);
  addCommand(option, "経過時間", C::KEIKA, true);
  addCommand(option, "BGM", C::BGM, true);
  QMenu* rei = option->addMenu(QString::fromUtf8("初期配置"));
  addCommand(rei, "右嶺", C::UREI, true);
  addCommand(rei, "左嶺", C::SAREI, true);

  QMenu* sonota = bar->addMenu(QString::fromUtf8("その他"));
  addCommand(sonota, "解説", C::KAISETU);
  addCommand(sonota, "バージョン情報", C::VER);

  QMenu* kentou = bar->addMenu(QString::fromUtf8("検討"));
  addCommand(kentou, "ヒント", C::HINT);
  addCommand(kentou, "検討ウィンドウ", C::ANALYSIS, true);

  showChecks(MenuChecks{});
}

QAction* GameMenuBar::action(MenuCommand command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

void GameMenuBar::showChecks(const MenuChecks& checks) {
  using C = MenuCommand;
  const std::pair<C, bool> marks[] = {
      {C::MIDORI, checks.MIDORI},    {C::TATAMI, checks.TATAMI}, {C::TAKE, checks.TAKE},
      {C::UCHU, checks.UCHU},        {C::RENGA, checks.RENGA},   {C::SIDOU, checks.SIDOU},
      {C::KEIKA, checks.KEIKA},      {C::BGM, checks.BGM},       {C::UREI, checks.UREI},
      {C::SAREI, checks.SAREI},      {C::LEVEL1, checks.LEVEL1}, {C::LEVEL2, checks.LEVEL2},
      {C::LEVEL3, checks.LEVEL3},    {C::LEVEL4, checks.LEVEL4}, {C::LEVEL5, checks.LEVEL5},
      {C::LEVEL6, checks.LEVEL6},    {C::LEVEL7, checks.LEVEL7}, {C::LEVEL8, checks.LEVEL8},
      {C::ANALYSIS, checks.ANALYSIS}};
  for (const auto& [command, on] : marks) {
    if (QAction* a = action(command)) a->setChecked(on);
  }
}

}  // namespace qz::app
