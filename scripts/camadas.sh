#!/usr/bin/env bash
# Fails when an #include runs up a layer, when a folder under src/ holds the files of two
# layers, or when a source under src/ belongs to no layer. The layers come from the build's
# camadas.txt, which CMake writes from the targets themselves ("LAYER TARGET src/relative/path"
# per source), so the targets stay the one place that says which file belongs to which layer.
#   scripts/camadas.sh [BUILD_FOLDER]
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
lista=${1:-$raiz/build}/camadas.txt
[ -s "$lista" ] || { echo "camadas: $lista não existe (configure o build antes)" >&2; exit 2; }

declare -A camada alvo alvoDaPasta
while read -r n t f; do camada[$f]=$n; alvo[$f]=$t; done <"$lista"

erros=0
for f in "${!camada[@]}"; do
  pasta=$(dirname "$f")
  if [ -z "${alvoDaPasta[$pasta]+x}" ]; then
    alvoDaPasta[$pasta]=${alvo[$f]}
  elif [ "${alvoDaPasta[$pasta]}" != "${alvo[$f]}" ]; then
    echo "src/$pasta tem arquivos de ${alvoDaPasta[$pasta]} e de ${alvo[$f]} (src/$f)" >&2
    erros=$((erros + 1))
  fi
  while IFS= read -r inc; do
    # "x.h" beside the file, or "folder/x.h" from src/
    [ -n "${camada[$inc]+x}" ] || inc=$pasta/$inc
    [ -n "${camada[$inc]+x}" ] || continue # Qt, the system, or a generated file
    if [ "${camada[$inc]}" -gt "${camada[$f]}" ]; then
      echo "src/$f (${alvo[$f]}) inclui src/$inc (${alvo[$inc]}), de uma camada acima" >&2
      erros=$((erros + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$raiz/src/$f")
done
while IFS= read -r f; do
  f=${f#"$raiz/src/"}
  if [ -z "${camada[$f]+x}" ]; then
    echo "src/$f não pertence a nenhuma camada" >&2
    erros=$((erros + 1))
  fi
done < <(find "$raiz/src" -name '*.cpp' -o -name '*.h')
if [ "$erros" -gt 0 ]; then
  echo "camadas: $erros problema(s)" >&2
  exit 1
fi
echo "camadas: ${#camada[@]} arquivos em ${#alvoDaPasta[@]} pastas, cada pasta de uma camada;" \
  "nenhuma inclusão sobe de camada"
