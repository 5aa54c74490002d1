#!/bin/sh
# Runs one of Debian's validators on a file the package installs. A validator that is not
# installed skips the test (77); any error or warning it prints fails it.
#   valida.sh desktop|appstream|manual ARQUIVO
tipo=$1 arquivo=$2
case $tipo in
  desktop) ferramenta=desktop-file-validate ;;
  appstream) ferramenta=appstreamcli ;;
  manual) ferramenta=man ;;
  *) echo "tipo desconhecido: $tipo"; exit 2 ;;
esac
if ! command -v $ferramenta >/dev/null 2>&1; then
  echo "$ferramenta não está instalado: validação pulada"
  exit 77
fi
case $tipo in
  desktop) saida=$(desktop-file-validate "$arquivo" 2>&1) || { echo "$saida"; exit 1; }
    # Hints are suggestions; warnings and errors are not.
    if echo "$saida" | grep -E 'warning:|error:'; then exit 1; fi ;;
  appstream) appstreamcli validate --no-net --explain "$arquivo" || exit 1 ;;
  manual) saida=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
      man --warnings -E UTF-8 -l -Tutf8 -Z "$arquivo" 2>&1 >/dev/null)
    [ -z "$saida" ] || { echo "$saida"; exit 1; } ;;
esac
echo "$ferramenta: $arquivo válido"
