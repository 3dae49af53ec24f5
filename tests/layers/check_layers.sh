#!/usr/bin/env bash
# Fails when a source file includes a header from a layer above its own.
#   check_layers.sh SOURCE_ROOT
# Layers, lowest first: engine, cycle, rows, batch (the streaming CSV pricer), then
# screens, tools and python side by side, none including another, and on top app on the
# screens.
# tests/<layer> and bench/<layer> sit at the layer they cover; files directly in
# tests/ or bench/ may include every layer.
set -euo pipefail
root="$1"
declare -A rank=([engine]=0 [cycle]=1 [rows]=2 [batch]=3 [screens]=4 [tools]=4 [python]=4 [app]=5)
top=6

# The layer folder a file belongs to; empty for files directly in tests/ or bench/.
layer_of_file() {
    local path="$1" first second
    first="${path%%/*}"
    if [[ "$first" == tests || "$first" == bench ]]; then
        second="${path#*/}"
        [[ "$second" == */* ]] || return 0
        first="${second%%/*}"
    fi
    [[ -n "${rank[$first]+x}" ]] && echo "$first"
    return 0
}

faults=0
cd "$root"
while IFS= read -r -d '' file; do
    file="${file#./}"
    ownLayer="$(layer_of_file "$file")"
    own=$top
    [[ -z "$ownLayer" ]] || own="${rank[$ownLayer]}"
    while IFS=: read -r line layer; do
        [[ -n "${rank[$layer]+x}" && "$layer" != "$ownLayer" ]] || continue
        if ((rank[$layer] >= own)) ||
           [[ "$ownLayer" == app && ("$layer" == tools || "$layer" == python) ]]; then
            echo "$file:$line: includes from $layer, a layer above or beside its own"
            faults=$((faults + 1))
        fi
    done < <(grep -noE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][a-z]+/' "$file" |
             sed -E 's/^([0-9]+):.*["<]([a-z]+)\/$/\1:\2/')
done < <(find . \( -path ./build -o -path './build-*' -o -path ./.git \) -prune -o \
              \( -name '*.cpp' -o -name '*.h' \) -print0)

if ((faults > 0)); then
    echo "$faults upward or sideways include(s)"
    exit 1
fi
echo "every include points to the file's own layer or one below"
