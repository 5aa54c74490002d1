#!/usr/bin/env bash
# Builds every fuzz target with clang and libFuzzer (address and undefined-behaviour checks) in
# build-fuzz/, then runs each for the given time and prints its runs and runs per second.
#   scripts/fuzz.sh [SECONDS [TARGET...]]   (default 60 s, every fuzz/fuzz_*.cpp)
# Seeds are read from fuzz/corpus/<target>/ (never written); what the fuzzer finds goes to
# build-fuzz/corpus/<target>/, and a failing input to build-fuzz/falhas/.
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
segundos=${1:-60}
build=$raiz/build-fuzz

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

CC=clang CXX=clang++ cmake -S "$raiz" -B "$build" -G Ninja -DZELVANA_FUZZ=ON -DZELVANA_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  >/dev/null || exit 1
if ! cmake --build "$build" -j2 --target "${alvos[@]}" >"$build/build.log" 2>&1; then
  tail -30 "$build/build.log" >&2
  exit 1
fi

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
  registro=$build/$alvo.log
  # On a shared machine the wall clock counts other people's work: the CPU time is kept too.
  TIMEFORMAT='%U %S'
  { time UBSAN_OPTIONS=print_stacktrace=1 "$build/fuzz/$alvo" "${opcoes[@]}" "$corpus" \
    "${sementes[@]}" >"$registro" 2>&1; } 2>"$build/$alvo.cpu"
  codigo=$?
  cpu=$(awk '{ printf "%d", $1 + $2 + 0.5 }' "$build/$alvo.cpu")
  [ "${cpu:-0}" -gt 0 ] || cpu=1
  execucoes=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$registro" | grep -o '[0-9]*$')
  tempo=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$registro" | grep -o 'in [0-9]*' | grep -o '[0-9]*')
  [ -z "$tempo" ] || [ "$tempo" -eq 0 ] && tempo=$segundos
  if [ "$codigo" -eq 0 ]; then
    echo "$alvo: ${execucoes:-0} runs in ${tempo} s, $(( ${execucoes:-0} / tempo )) runs/s" \
      "($(( ${execucoes:-0} / cpu )) per CPU second), no failure"
  else
    falhou=1
    echo "$alvo: FAILED after ${execucoes:-?} runs (exit $codigo); input in $build/falhas/, log $registro"
    grep -m3 -E 'ERROR|SUMMARY|difere|mudou|perdidas' "$registro" | sed 's/^/  /'
  fi
done
exit $falhou
