#!/usr/bin/env bash
# Every include of the game's code points down its floors: a unit may include
# its own folder and the folders listed under it here, nothing above. render
# and objects lean on each other (a widget draws through render items, the
# graphics module walks the objects) and count as one floor.
set -euo pipefail
src="${1:-$(dirname "${BASH_SOURCE[0]}")/../src}"
declare -A below=(
  [core]=""
  [tables]="core"
  [data]="core tables"
  [render]="core tables data objects"
  [objects]="core tables data render"
  [game]="core tables data render objects"
  [sound]="core tables data render objects"
  [screens]="core tables data render objects game sound"
  [app]="core tables data render objects game sound screens"
  [platform]="core tables data render objects game sound screens app"
)
faults=0
for floor in "${!below[@]}"; do
  [ -d "$src/$floor" ] || { echo "no folder src/$floor"; faults=$((faults + 1)); continue; }
  while IFS=: read -r file line target; do
    [ "$target" = "$floor" ] && continue
    case " ${below[$floor]} " in *" $target "*) continue ;; esac
    echo "${file#"$src"/}:$line includes $target/, which is not below $floor"
    faults=$((faults + 1))
  done < <(grep -rnoE '^#include "[a-z]+/' "$src/$floor" | sed -E 's/:#include "([a-z]+)\/$/:\1/')
done
for folder in "$src"/*/; do
  name=$(basename "$folder")
  [ -n "${below[$name]+x}" ] || { echo "src/$name has no floor here"; faults=$((faults + 1)); }
done
[ $faults -eq 0 ] && echo "every include points down" || exit 1
