#!/usr/bin/env bash
# The module as pip users get it: from a clean copy of the sources, the sdist and, from
# it, the wheel; the wheel installed into a fresh virtual environment (Debian's numpy and
# pandas seen through --system-site-packages, since no index is reached) and checked
# there: its contents and links, its version, its examples, its types, and 20,000
# random rows against volantra-price's texts and bytes. Then it is uninstalled.
#   pip_wheel_test.sh SOURCE_ROOT VOLANTRA_PRICE PROJECT_VERSION
set -euo pipefail
root="$(realpath "$1")" pricer="$(realpath "$2")" version="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src"
tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -xf - -C "$work/src"
if ! (cd "$work/src" && /usr/bin/python3 -m build --no-isolation --outdir "$work/dist" . \
      > "$work/build.log" 2>&1); then
    tail -30 "$work/build.log"
    exit 1
fi
# A build that cannot start names what it lacks, and the package that brings it.
if (cd "$work/src" && CXX=no-such-compiler /usr/bin/python3 -m build --no-isolation --wheel \
        --outdir "$work/refused" . > "$work/refused.log" 2>&1); then
    echo "a build without a compiler did not fail"
    exit 1
fi
grep -q "^volantra: building the module needs a C++20 compiler (no-such-compiler) (on Debian: apt install g++)$" \
    "$work/refused.log" || { tail -5 "$work/refused.log"; exit 1; }
echo "ok   a build without a compiler says so in one line"

wheel="$(echo "$work"/dist/volantra-"$version"-*.whl)"
[[ -f "$wheel" && -f "$work/dist/volantra-$version.tar.gz" ]] || { echo "no sdist or wheel"; exit 1; }

# The wheel holds the package and its metadata only; the module needs the C++ runtime
# and libc (with its loader, for the thread-local state of price_csv's threads), and no
# folder of the build.
unexpected="$(/usr/bin/python3 -m zipfile -l "$wheel" | awk 'NR > 1 { print $1 }' |
              grep -Ev '^volantra/(__init__\.py|_volantra\..*so|_volantra\.pyi|py\.typed)$' |
              grep -Ev "^volantra-$version\.dist-info/" || true)"
[[ -z "$unexpected" ]] || { echo "the wheel holds more: $unexpected"; exit 1; }
mkdir "$work/wheel" && /usr/bin/python3 -m zipfile -e "$wheel" "$work/wheel"
links="$(readelf -d "$work"/wheel/volantra/_volantra*.so)"
if grep -qE 'RPATH|RUNPATH' <<< "$links" ||
   grep -oP 'NEEDED.*\[\K[^]]+' <<< "$links" |
       grep -qvE '^(lib(stdc\+\+|m|gcc_s|c|hwy)\.so|ld-linux-[a-z0-9-]+\.so\.2$)'; then
    echo "the module links more than the C++ runtime, libc and Highway:"
    echo "$links"
    exit 1
fi

/usr/bin/python3 -m venv --system-site-packages "$work/venv"
"$work/venv/bin/pip" install --quiet --no-index --no-deps "$wheel"
cd "$work"  # away from the sources, so only the installed package is found
PYTHONPATH="$here" VOLANTRA_PRICE="$pricer" "$work/venv/bin/python" - "$version" <<'PYTHON'
import doctest
import importlib.metadata
import os
import sys
import tempfile

import pandas as pd

import volantra
from pricer_run import pricer_bytes, random_rows, run_pricer, write_rows

version = sys.argv[1]
assert volantra.__file__.startswith(sys.prefix), volantra.__file__
# One version: the program's, the module's and the installed distribution's.
assert volantra.__version__ == version == importlib.metadata.version("volantra"), (
    volantra.__version__, version, importlib.metadata.version("volantra"))
examples = doctest.testmod(volantra)
assert examples.failed == 0 and examples.attempted > 0, examples
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "rows.csv")
    write_rows(path, random_rows(20000, 29))
    priced = run_pricer(path)
    for label, frame in (("texts", pd.read_csv(path, dtype=str, keep_default_na=False)),
                         ("numbers", pd.read_csv(path))):
        framed = volantra.price_frame(frame, text=True)
        for i, want in enumerate(priced):
            for name in volantra.RESULTS + ("message",):
                assert framed[name][i] == want[name], (label, i, name, framed[name][i], want)
    target = os.path.join(folder, "priced.csv")
    volantra.price_csv(path, target)
    with open(target, "rb") as written:
        assert written.read() == pricer_bytes(path)[1], "price_csv wrote other bytes"
print(f"ok   the wheel {volantra.__version__}: {examples.attempted} examples, "
      f"{len(priced)} rows as volantra-price writes them")
PYTHON

# Its types: the example checks, a misspelt keyword is caught.
"$work/venv/bin/python" -m mypy --ignore-missing-imports --no-incremental \
    "$root/examples/price_options.py" > "$work/mypy.log" || { cat "$work/mypy.log"; exit 1; }
printf 'import volantra\nvolantra.price("call", 100, 100, 365, 20, 5, txt=True)\n' > "$work/typo.py"
if "$work/venv/bin/python" -m mypy --no-incremental "$work/typo.py" > "$work/typo.log"; then
    echo "mypy let a misspelt keyword through"
    exit 1
fi
grep -q 'Unexpected keyword argument "txt"' "$work/typo.log" || { cat "$work/typo.log"; exit 1; }
echo "ok   mypy passes the example and names a misspelt keyword"

# Uninstalling leaves nothing behind.
uninstall() {
    "$work/venv/bin/pip" uninstall --quiet --yes volantra
    if "$work/venv/bin/python" -c "import volantra" 2> /dev/null ||
       compgen -G "$work/venv/lib/python3*/site-packages/volantra*" > /dev/null; then
        echo "pip uninstall left volantra behind"
        exit 1
    fi
}
uninstall
# And pip's own build from the clone, with the build tools installed (no index here).
"$work/venv/bin/pip" install --quiet --no-build-isolation "$work/src"
"$work/venv/bin/python" -c 'import sys, volantra
assert volantra.__file__.startswith(sys.prefix) and volantra.price("call", 100, 100, 365, 20, 5,
    text=True)["value"].item() == "10.45"'
uninstall
echo "ok   pip install . and the wheel install and uninstall cleanly"
