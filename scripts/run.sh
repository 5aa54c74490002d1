#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the sample project.
# Shares its build folder with scripts/test.sh, so the program and its pictogram library are
# built once.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVANA_BUILD:-$raiz/build}
"$raiz/scripts/deps.sh"
[ -f "$build/build.ninja" ] || cmake -S "$raiz" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target zelvana zelvana_dados
exec "$build/src/app/zelvana" "$build/src/app/exemplo" "$@"
