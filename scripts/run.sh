#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the sample project.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/deps.sh"
cmake -S "$raiz" -B "$raiz/build" -G Ninja -DZELVANA_TESTS=OFF >/dev/null
cmake --build "$raiz/build"
exec "$raiz/build/src/app/zelvana" "$raiz/build/src/app/exemplo" "$@"
