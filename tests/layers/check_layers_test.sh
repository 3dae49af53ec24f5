#!/usr/bin/env bash
# The layer check passes on includes that point down and fails on each upward or
# sideways one.
set -euo pipefail
check="$(dirname "${BASH_SOURCE[0]}")/check_layers.sh"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{engine,cycle,rows,batch,screens,tools,app,python,tests/engine,tests/cycle,tests/batch,bench}

write() { printf '#include "%s"\n' "$2" > "$tree/$1"; }
write engine/a.cpp engine/b.h
write cycle/a.cpp engine/b.h
write rows/a.cpp cycle/a.h
write screens/a.cpp rows/a.h
write batch/a.cpp rows/a.h
write tools/a.cpp batch/a.h
write app/a.cpp screens/a.h
write python/a.cpp batch/a.h
write tests/batch/a.cpp batch/a.h
write tests/cycle/a.cpp cycle/a.h
write tests/a.cpp tools/a.h
write bench/a.cpp tools/a.h
bash "$check" "$tree" > /dev/null || { echo "downward includes were refused"; exit 1; }

for upward in "engine/c.cpp cycle/a.h" "cycle/c.h screens/a.h" "screens/c.cpp tools/a.h" \
              "cycle/c.cpp rows/a.h" "rows/c.cpp tools/a.h" "rows/c.h screens/a.h" \
              "rows/c.cpp python/a.h" "python/c.cpp tools/a.h" "tools/c.cpp python/a.h" \
              "tools/c.cpp app/a.h" "tools/c.cpp screens/a.h" \
              "app/c.cpp tools/a.h" "python/c.cpp screens/a.h" "app/c.cpp python/a.h" \
              "rows/c.cpp batch/a.h" "batch/c.cpp tools/a.h" "batch/c.h python/a.h" \
              "batch/c.cpp screens/a.h" "tests/batch/c.cpp tools/a.h" \
              "tests/engine/c.cpp cycle/a.h" \
              "engine/c.h <screens/a.h>"; do
    set -- $upward
    if [[ "$2" == \<* ]]; then
        printf '#include %s\n' "$2" > "$tree/$1"
    else
        write "$1" "$2"
    fi
    if bash "$check" "$tree" > /dev/null; then
        echo "missed: $1 including $2"
        exit 1
    fi
    rm "$tree/$1"
done
echo "the check refuses every upward or sideways include it was shown"
