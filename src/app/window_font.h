// The window font: "ＭＳ Ｐ明朝" where it exists, else the closest Mincho.
#pragma once

#include <QFont>

namespace qz::app {

QFont WindowFont(int pointSize, bool bold);

}  // namespace qz::app
