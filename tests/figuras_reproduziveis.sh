#!/bin/sh
# Draws the pictogram library again, in one process, and compares it with the one the build
# drew: the same inputs must give the same files, byte for byte.
#   figuras_reproduziveis.sh GERADOR SAIDA REFERENCIA ARGUMENTOS...
gerador=$1 saida=$2 referencia=$3
shift 3
rm -rf "$saida"
"$gerador" biblioteca --saida "$saida" --processos 1 "$@" >/dev/null || exit 1
if ! diff -r "$saida" "$referencia" >/dev/null; then
  echo "a biblioteca mudou ao ser desenhada de novo"
  diff -rq "$saida" "$referencia" | head
  exit 1
fi
rm -rf "$saida"
