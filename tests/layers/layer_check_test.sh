#!/usr/bin/env bash
# The layer check over a copy of the real table: a tree that keeps to it
# passes, and each kind of wrong include is caught and named.
set -euo pipefail
src=$1
check="$src/scripts/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/docs" "$work/src/model" "$work/src/search" "$work/src/shell" "$work/tools/cli"
cp "$src/docs/ARCHITECTURE.md" "$work/docs/"
fail() { echo "FAIL: $*"; exit 1; }

printf '#include "model/position.h"\n#include "see.h"\n#include <vector>\n' > "$work/src/search/good.cpp"
printf '#include "search/searcher.h"\n#include "play/history.h"\n' > "$work/src/shell/good.cpp"
printf '#include "shell/game.h"\n#include "script/script_runner.h"\n' > "$work/tools/cli/good.cpp"
bash "$check" "$work" > "$work/out" || fail "a tree that keeps to the table fails: $(cat "$work/out")"

# One floor up, through a relative path, and Qt below the front end.
printf '#include "model/position.h"\n#include "shell/game.h"\n' > "$work/src/search/up.cpp"
printf '#include "../engine/computer_player.h"\n' > "$work/src/search/sideways.h"
printf '#include <QString>\n' > "$work/src/model/qt.cpp"
printf '#include "cli/uci_session.h"\n' > "$work/src/shell/tool.cpp"
if bash "$check" "$work" > "$work/out" 2>&1; then fail "wrong includes pass"; fi
grep -q 'src/search/up.cpp:2: search includes shell' "$work/out" || fail "up.cpp not named: $(cat "$work/out")"
grep -q 'src/search/sideways.h:1: search includes engine' "$work/out" || fail "relative include missed"
grep -q 'src/model/qt.cpp:1: model includes QString' "$work/out" || fail "Qt in the model missed"
grep -q 'src/shell/tool.cpp:1: shell includes cli' "$work/out" || fail "a tool's header in shell missed"
if grep -q good "$work/out"; then fail "an allowed include was reported: $(cat "$work/out")"; fi
grep -q '4 include(s)' "$work/out" || fail "count wrong: $(cat "$work/out")"
echo "layer check catches wrong includes"
