// The fixed 16-colour palette the game names its colours by.
#pragma once

#include <QColor>

namespace qz::app {

// Colour of a QBColor index; out-of-range indexes give black.
QColor PaletteColour(int index);

}  // namespace qz::app
