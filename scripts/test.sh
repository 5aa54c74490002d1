#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: offscreen tests in parallel,
# then the ones that need an X server (Xvfb) and the ones that need sound (a private PulseAudio
# with a null sink). Every service started here is stopped by its PID on the way out.
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVANA_BUILD:-$raiz/build}
"$raiz/scripts/deps.sh" || exit 1
"$raiz/scripts/formato.sh" || exit 1
cmake -S "$raiz" -B "$build" -G Ninja -DZELVANA_TESTS=ON -DZELVANA_WERROR=ON >/dev/null || exit 1
cmake --build "$build" || exit 1
"$raiz/scripts/camadas.sh" "$build" || exit 1

cd "$build"
exec "$raiz/scripts/com-servicos.sh" bash -c '
falhou=0
ctest --output-on-failure -L offscreen -j2 || falhou=1
ctest --output-on-failure -L x11 || falhou=1
ctest --output-on-failure -L audio || falhou=1
ctest --output-on-failure -L faltas || falhou=1
exit $falhou'
