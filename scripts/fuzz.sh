#!/usr/bin/env bash
# Builds every fuzz target twice with clang and libFuzzer: in build-fuzz/ under address and
# undefined-behaviour checks, in build-fuzz-rapido/ with coverage only. Then, for each target,
# runs the two side by side for the given time on one shared corpus and prints the runs and runs
# per second of each. The fast one, about three times quicker, grows the corpus; the checked one
# rereads the corpus folder every second and runs what the other found, so a memory fault in an
# input the fast one made is still caught.
#   scripts/fuzz.sh [SECONDS [TARGET...]]   (default 60 s, every fuzz/fuzz_*.cpp)
# Seeds are read from fuzz/corpus/<target>/ (never written); what the fuzzers find goes to
# build-fuzz/corpus/<target>/, and a failing input to build-fuzz/falhas/.
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
segundos=${1:-60}
build=$raiz/build-fuzz
rapido=$raiz/build-fuzz-rapido

# clang, and libFuzzer with its sanitizer runtimes (only recommended by clang on Debian 12).
faltando=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltando+=("$p")
done
if [ ${#faltando[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "O fuzzing precisa de: ${faltando[*]} (apt-get install)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends "${faltando[@]}" >/dev/null ||
    exit 1
fi

alvos=("${@:2}")
if [ ${#alvos[@]} -eq 0 ]; then
  for fonte in "$raiz"/fuzz/fuzz_*.cpp; do alvos+=("$(basename "$fonte" .cpp)"); done
fi

# One build folder: the checks the targets run under, and the whole build instrumented alike.
constroi() {
  local pasta=$1 verificacoes=$2 bandeiras=-fsanitize=fuzzer-no-link
  [ -n "$verificacoes" ] && bandeiras="$bandeiras,$verificacoes -fno-sanitize-recover=undefined"
  CC=clang CXX=clang++ cmake -S "$raiz" -B "$pasta" -G Ninja -DZELVANA_FUZZ=ON -DZELVANA_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=Release -DZELVANA_FUZZ_CHECKS="$verificacoes" \
    -DCMAKE_CXX_FLAGS="$bandeiras" >/dev/null || return 1
  if ! cmake --build "$pasta" -j2 --target "${alvos[@]}" >"$pasta/build.log" 2>&1; then
    tail -30 "$pasta/build.log" >&2
    return 1
  fi
}
constroi "$build" address,undefined || exit 1
constroi "$rapido" "" || exit 1

# One fuzzer of a target: its log and CPU time land beside the build it came from.
roda() {
  local pasta=$1 alvo=$2
  shift 2
  # On a shared machine the wall clock counts other people's work: the CPU time is kept too.
  TIMEFORMAT='%U %S'
  { time UBSAN_OPTIONS=print_stacktrace=1 "$pasta/fuzz/$alvo" "$@" >"$pasta/$alvo.log" 2>&1; } \
    2>"$pasta/$alvo.cpu"
}

# "alvo (como): N runs in S s, R runs/s (C per CPU second), no failure", or the failure.
relata() {
  local pasta=$1 alvo=$2 como=$3 codigo=$4
  local registro=$pasta/$alvo.log cpu execucoes tempo
  cpu=$(awk '{ printf "%d", $1 + $2 + 0.5 }' "$pasta/$alvo.cpu")
  [ "${cpu:-0}" -gt 0 ] || cpu=1
  execucoes=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$registro" | grep -o '[0-9]*$')
  tempo=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$registro" | grep -o 'in [0-9]*' | grep -o '[0-9]*')
  [ -z "$tempo" ] || [ "$tempo" -eq 0 ] && tempo=$segundos
  if [ "$codigo" -eq 0 ]; then
    echo "$alvo ($como): ${execucoes:-0} runs in ${tempo} s, $(( ${execucoes:-0} / tempo )) runs/s" \
      "($(( ${execucoes:-0} / cpu )) per CPU second), no failure"
    return 0
  fi
  echo "$alvo ($como): FAILED after ${execucoes:-?} runs (exit $codigo); input in $build/falhas/, log $registro"
  grep -m3 -E 'ERROR|SUMMARY|difere|mudou|perdidas' "$registro" | sed 's/^/  /'
  return 1
}

falhou=0
mkdir -p "$build/falhas"
for alvo in "${alvos[@]}"; do
  corpus=$build/corpus/$alvo
  mkdir -p "$corpus"
  sementes=()
  [ -d "$raiz/fuzz/corpus/$alvo" ] && sementes+=("$raiz/fuzz/corpus/$alvo")
  opcoes=(-max_total_time="$segundos" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
          -artifact_prefix="$build/falhas/$alvo-")
  [ -f "$raiz/fuzz/$alvo.dict" ] && opcoes+=(-dict="$raiz/fuzz/$alvo.dict")
  roda "$build" "$alvo" "${opcoes[@]}" "$corpus" "${sementes[@]}" &
  verificado=$!
  roda "$rapido" "$alvo" "${opcoes[@]}" "$corpus" "${sementes[@]}" &
  veloz=$!
  wait "$verificado"
  codigoVerificado=$?
  wait "$veloz"
  codigoVeloz=$?
  relata "$build" "$alvo" "address and undefined-behaviour checks" "$codigoVerificado" || falhou=1
  relata "$rapido" "$alvo" "coverage only" "$codigoVeloz" || falhou=1
done
exit $falhou
