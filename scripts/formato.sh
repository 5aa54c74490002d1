#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted as .clang-format says.
#   scripts/formato.sh            check
#   scripts/formato.sh --corrige  format in place
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
mapfile -t arquivos < <(find src tests bench fuzz data -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = "--corrige" ]; then
  clang-format -i "${arquivos[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${arquivos[@]}" 2>/tmp/zelvana-formato.$$; then
  grep 'error:' /tmp/zelvana-formato.$$ | cut -d: -f1 | sort -u | sed 's/^/fora do formato: /' >&2
  rm -f /tmp/zelvana-formato.$$
  echo "formato: rode scripts/formato.sh --corrige" >&2
  exit 1
fi
rm -f /tmp/zelvana-formato.$$
echo "formato: ${#arquivos[@]} arquivos no formato"
