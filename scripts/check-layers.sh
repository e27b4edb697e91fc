#!/usr/bin/env bash
# Fails when a C++ file under a layer's folder includes a layer that the
# Includes column of the table in docs/ARCHITECTURE.md does not allow, or
# when a file below the front end includes Qt or SDL. A layer is named in
# includes by the last part of its folder ("model/position.h",
# "cli/match_player.h"); "../x/..." counts as layer x.
# Usage: check-layers.sh [ROOT] (default: the tree this script is in).
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"
table=docs/ARCHITECTURE.md
[[ -f $table ]] || { echo "check-layers: no $table" >&2; exit 2; }

# Rows of the table: | layer | `folder` | includes | owns |
declare -A allowed folder_of
while IFS='|' read -r _ layer folder includes _; do
  layer=$(echo "$layer" | tr -d ' `')
  folder=$(echo "$folder" | tr -d ' `')
  [[ $folder == src/* || $folder == tools/* ]] || continue
  name=${folder##*/}
  list=" "
  for item in $(echo "$includes" | tr ',`' '  '); do
    [[ $item == "—" || $item == "-" ]] && continue
    list+="${item##*/} "
  done
  allowed[$name]=$list
  folder_of[$name]=$folder
done < <(grep '^|' "$table")
((${#allowed[@]})) || { echo "check-layers: no layer table in $table" >&2; exit 2; }

faults=0
for name in "${!folder_of[@]}"; do
  dir=${folder_of[$name]}
  [[ -d $dir ]] || continue
  while IFS= read -r hit; do
    file=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}; text=${rest#*:}
    if [[ $text =~ \#[[:space:]]*include[[:space:]]*\"(\.\./)*([A-Za-z_]+)/ ]]; then
      target=${BASH_REMATCH[2]}
      [[ -n ${allowed[$target]+x} ]] || continue # not a layer (a test or tool folder)
      [[ $target == "$name" ]] && continue
      [[ ${allowed[$name]} == *" $target "* ]] && continue
      echo "$file:$line: $name includes $target, which $table does not allow"
      faults=$((faults + 1))
    elif [[ $name != app && $text =~ \#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z]*|SDL[A-Za-z0-9_]*)[/.\>] ]]; then
      echo "$file:$line: $name includes ${BASH_REMATCH[1]}, which only src/app may"
      faults=$((faults + 1))
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' --include='*.cpp' --include='*.h' "$dir" || true)
done
if ((faults)); then
  echo "check-layers: $faults include(s) across floors" >&2
  exit 1
fi
