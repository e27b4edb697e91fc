// The game's manual, a single HTML page in Japanese.
#pragma once

#include <string>

namespace assetgen {

// The whole page as UTF-8 text.
std::string HelpPage();

}  // namespace assetgen
