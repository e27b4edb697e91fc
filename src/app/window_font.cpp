#include "app/window_font.h"

#include <QStringList>

namespace qz::app {

QFont WindowFont(int pointSize, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAexMincho"),
                    QStringLiteral("IPAex明朝"), QStringLiteral("IPAMincho"),
                    QStringLiteral("Noto Serif CJK JP"), QStringLiteral("serif")});
  font.setStyleHint(QFont::Serif);
  font.setPointSize(pointSize);
  font.setBold(bold);
  return font;
}

}  // namespace qz::app
