#!/usr/bin/env bash
# The layer check on a small throwaway tree: it accepts the tree while every include points down,
# reads the layers from the Folders table only, and then names by file and line an include of a
# higher folder, of a sibling reached through "../", and of a folder outside the layers.
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
fail() { echo "check_layers_test: $*" >&2; exit 1; }

mkdir -p "$tree"/{base,low,side,top,tests}
cat >"$tree/README.md" <<'TABLE'
## Folders
| folder | layer | what |
|---|---|---|
| `top/` | 2 | the highest |
| `low/` | 1 | |
| `side/` | 1 | |
| `base/` | 0 | |
| `tests/` | | anything |
## Elsewhere
| `top/` | 0 | another table, which must not count |
TABLE
touch "$tree"/base/b.h "$tree"/side/s.h "$tree"/top/t.h
printf '#include <windows.h>\n#include "base/b.h"\n' >"$tree/low/l.h"
printf '#include "low/l.h"\n#include "side/s.h"\n#include "t.h"\n' >"$tree/top/t.cpp"
printf '#include "../base/b.h"\n' >"$tree/side/s.rc"
printf '#include "top/t.h"\n' >"$tree/tests/x.cpp"
"$check" "$tree" >/dev/null || fail "a tree whose includes all point down was refused"

printf '#include "b.h"\n#include "top/t.h"\n' >"$tree/base/up.h"
printf '#include "../low/l.h"\n' >>"$tree/side/s.rc"
printf '#include "tests/x.cpp"\n' >"$tree/low/x.cpp"
status=0
out=$("$check" "$tree" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "exit status $status for a tree with broken layers: $out"
for expected in 'base/up.h:2: #include "top/t.h"' 'side/s.rc:2: #include "../low/l.h"' \
                'low/x.cpp:1: #include "tests/x.cpp"' '3 include(s)'; do
  grep -qF "$expected" <<<"$out" || fail "expected '$expected' in: $out"
done
