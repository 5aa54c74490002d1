#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: offscreen tests in parallel,
# then the ones that need an X server (Xvfb) and the ones that need sound (a private PulseAudio
# with a null sink). Every service started here is stopped by its PID on the way out.
#   scripts/test.sh              the build in build/
#   scripts/test.sh --sanitize   the same suite built with AddressSanitizer and
#                                UndefinedBehaviorSanitizer in build-san/; a leak, a bad access
#                                or undefined behaviour fails the test that met it
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
sanitiza=0
case "${1:-}" in
  "") ;;
  --sanitize) sanitiza=1 ;;
  *) echo "uso: scripts/test.sh [--sanitize]" >&2; exit 2 ;;
esac
opcoes=()
if [ $sanitiza -eq 1 ]; then
  build=${ZELVANA_BUILD:-$raiz/build-san}
  # -O1 keeps the instrumented tests quick enough; line tables are all a report needs to name
  # the file and line.
  opcoes+=(-DZELVANA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
           "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")
  supressoes=$raiz/tests/sanitizadores
  # While building, the pictogram generator runs instrumented too: its leaks at exit are Qt's
  # and fontconfig's, not a finding, so they are not checked there.
  export ASAN_OPTIONS=detect_leaks=0
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supressoes/ubsan.supp"
else
  build=${ZELVANA_BUILD:-$raiz/build}
fi
"$raiz/scripts/deps.sh" || exit 1
"$raiz/scripts/formato.sh" || exit 1
cmake -S "$raiz" -B "$build" -G Ninja -DZELVANA_TESTS=ON -DZELVANA_WERROR=ON "${opcoes[@]}" \
  >/dev/null || exit 1
cmake --build "$build" || exit 1
"$raiz/scripts/camadas.sh" "$build" || exit 1
if [ $sanitiza -eq 1 ]; then
  export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=0"
  export LSAN_OPTIONS="suppressions=$supressoes/lsan.supp:print_suppressions=0"
fi

cd "$build"
exec "$raiz/scripts/com-servicos.sh" bash -c '
falhou=0
ctest --output-on-failure -L offscreen -j2 || falhou=1
ctest --output-on-failure -L x11 || falhou=1
ctest --output-on-failure -L audio || falhou=1
ctest --output-on-failure -L faltas || falhou=1
exit $falhou'
