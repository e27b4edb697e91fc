#!/usr/bin/env bash
# Fails when a C++ file under src/ or tools/ differs from what clang-format
# makes of it (the style is in .clang-format at the top of the tree).
set -euo pipefail
cd "$(dirname "$0")/.."
find src tools -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run -Werror
