#!/usr/bin/env bash
# Takes the help's pictures of the real program under Xvfb and writes them, small, into
# src/app/ajuda/capturas: the start window, the editor, a run, the sound recorder and the boards
# of the starter vocabulary.
# Run it again when a window changes, look at the pictures, and commit them.
#   scripts/capturas.sh              (the build folder is $ZELVANA_BUILD or build-test)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVANA_BUILD:-$raiz/build-test}
destino=$raiz/src/app/ajuda/capturas

if [ "${1:-}" != "--dentro" ]; then
  "$raiz/scripts/deps.sh"
  if ! command -v pngquant >/dev/null; then
    [ "$(id -u)" -eq 0 ] || { echo "Falta pngquant; rode como root." >&2; exit 1; }
    apt-get update -qq && apt-get install -y -qq --no-install-recommends pngquant >/dev/null
  fi
  cmake -S "$raiz" -B "$build" -G Ninja -DZELVANA_TESTS=ON >/dev/null
  cmake --build "$build" --target zelvana gravador_avulso zelvana_dados
  exec "$raiz/scripts/com-servicos.sh" "$0" --dentro
fi

# From here on: inside the private X server and sound server started by com-servicos.sh.
trabalho=$(mktemp -d /tmp/zelvana-capturas.XXXXXX)
programa=""
termina() {
  if [ -n "$programa" ]; then kill -TERM "$programa" 2>/dev/null; wait "$programa" 2>/dev/null || true; fi
  programa=""
}
trap 'termina; rm -rf "$trabalho"' EXIT
# The sample project is copied: nothing the program does may touch the build tree.
cp -r "$build/src/app/exemplo" "$trabalho/Exemplo"
mkdir -p "$destino"

# janela NOME TÍTULO ESPERA COMANDO...: starts the command, waits for the window with that
# title and then ESPERA seconds more, and saves that window (the whole screen for a run) as
# NOME.png.
janela() {
  local nome=$1 titulo=$2 espera=$3
  shift 3
  "$@" >/dev/null 2>&1 &
  programa=$!
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "$titulo" | head -n1)
  sleep "$espera"
  if [ "$nome" = execucao ]; then
    import -window root "$trabalho/$nome.png"
  else
    import -window "$id" "$trabalho/$nome.png"
  fi
  termina
}

zelvana=$build/src/app/zelvana
# The start window shows the about box for its first 5 seconds.
janela janela-inicial '^Zelvana $' 7 "$zelvana"
janela editor 'Programação das pranchas' 7 "$zelvana" "$trabalho/Exemplo"
janela execucao 'Demonstração' 2 "$zelvana" --executar "$trabalho/Exemplo"
janela gravador 'Gravador de som' 2 "$build/tests/gravador_avulso" "$trabalho/Exemplo" oi.wav

# The starter vocabulary as a run draws it: the core board, then every other board small, in
# the order of its board file.
vocabulario=$build/src/app/vocabulario_inicial
"$zelvana" --jpg "$vocabulario" PRINCIPAL "$trabalho/principal.jpg" 1024x576
convert "$trabalho/principal.jpg" "$trabalho/vocabulario-principal.png"
miniaturas=()
while read -r prancha; do
  "$zelvana" --jpg "$vocabulario" "$prancha" "$trabalho/p-$prancha.jpg" 400x225
  miniaturas+=("$trabalho/p-$prancha.jpg")
done < <(iconv -f windows-1252 -t utf-8 "$vocabulario/pranchas.pra" | tr -d '\r' |
  sed -n 's/^\[\(.*\)\]$/\1/p' | grep -vx -e CONFIG -e PRINCIPAL)
montage "${miniaturas[@]}" -tile 3x -geometry +6+6 "$trabalho/vocabulario-assuntos.png"

# Small enough to commit: the run is halved, every picture reduced to a palette.
convert "$trabalho/execucao.png" -resize 50% "$trabalho/execucao.png"
for nome in janela-inicial editor execucao gravador vocabulario-principal vocabulario-assuntos; do
  pngquant --force --strip --quality 60-90 --output "$destino/$nome.png" "$trabalho/$nome.png"
done
ls -l "$destino"
