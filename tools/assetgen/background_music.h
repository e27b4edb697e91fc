// The background music: a calm koto-like melody over a soft drone that loops
// without a click.
#pragma once

#include <vector>

namespace assetgen {

// A whole number of bars; the last sample leads straight into the first.
std::vector<double> BackgroundMusic();

}  // namespace assetgen
