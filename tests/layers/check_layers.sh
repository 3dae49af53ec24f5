#!/usr/bin/env bash
# Fails when a source file includes a header from a layer above its own.
#   check_layers.sh SOURCE_ROOT
# Layers, lowest first: engine, cycle, screens, then tools and app side by side.
# tests/<layer> and bench/<layer> sit at the layer they cover; files directly in
# tests/ or bench/ may include every layer.
set -euo pipefail
root="$1"
declare -A rank=([engine]=0 [cycle]=1 [screens]=2 [tools]=3 [app]=3)
top=4

rank_of_file() {
    local path="$1" first second
    first="${path%%/*}"
    if [[ "$first" == tests || "$first" == bench ]]; then
        second="${path#*/}"
        [[ "$second" == */* ]] || { echo "$top"; return; }
        first="${second%%/*}"
    fi
    echo "${rank[$first]:-$top}"
}

faults=0
cd "$root"
while IFS= read -r -d '' file; do
    file="${file#./}"
    own="$(rank_of_file "$file")"
    while IFS=: read -r line layer; do
        if [[ -n "${rank[$layer]+x}" ]] && ((rank[$layer] > own)) ||
           [[ "$layer" == tools && "$own" -eq 3 && "$file" == app/* ]] ||
           [[ "$layer" == app && "$own" -eq 3 && "$file" != app/* ]]; then
            echo "$file:$line: includes from $layer, a layer above its own"
            faults=$((faults + 1))
        fi
    done < <(grep -noE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][a-z]+/' "$file" |
             sed -E 's/^([0-9]+):.*["<]([a-z]+)\/$/\1:\2/')
done < <(find . \( -path ./build -o -path './build-*' -o -path ./.git \) -prune -o \
              \( -name '*.cpp' -o -name '*.h' \) -print0)

if ((faults > 0)); then
    echo "$faults upward include(s)"
    exit 1
fi
echo "every include points to the file's own layer or one below"
