// Reads back what the generator wrote and compares it with the manifest.
#pragma once

#include <QString>

namespace assetgen {

// Returns the number of problems found and prints each to stderr.
int CheckOutput(const QString& outDir);

}  // namespace assetgen
