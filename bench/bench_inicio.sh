#!/usr/bin/env bash
# Start-up: from starting the program to its start window mapped on the X server (the server's
# own map notification, taken by espera_janela, so nothing polls the display meanwhile), against
# a bare Qt window started the same way, in pairs, with the sound server running. Prints each
# pair and the medians.
#   scripts/com-servicos.sh bench/bench_inicio.sh BUILD_BENCH [PARES]
set -uo pipefail
build=${1:?pasta do build com -DZELVANA_BENCH=ON}
pares=${2:-9}
programa=$build/src/app/zelvana
vazia=$build/bench/janela_vazia
espera=$build/bench/espera_janela
casa=$(mktemp -d)
trap 'rm -rf "$casa"' EXIT

# Milliseconds from start to the window named $2 mapped; the program is then ended.
mede() {
  HOME=$casa "$espera" "$2" "$1" 2>>"$casa/erros" || {
    echo "$1 não abriu: $(tail -3 "$casa/erros")" >&2
    exit 1
  }
}

mediana() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

mede "$vazia" "janela vazia" >/dev/null # warm the disk cache for both
mede "$programa" "Zelvana " >/dev/null
: >"$casa/vazia"
: >"$casa/zelvana"
for i in $(seq "$pares"); do
  v=$(mede "$vazia" "janela vazia")
  z=$(mede "$programa" "Zelvana ")
  echo "$v" >>"$casa/vazia"
  echo "$z" >>"$casa/zelvana"
  echo "par $i: janela vazia $v ms, Zelvana $z ms"
done
mv=$(mediana <"$casa/vazia")
mz=$(mediana <"$casa/zelvana")
echo "medianas: janela vazia $mv ms, Zelvana $mz ms, razão $(awk "BEGIN {printf \"%.2f\", $mz / $mv}")"
