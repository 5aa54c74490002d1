#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses the installed program from an unrelated
# folder: it must find its data there, draw the installed sample exactly as the build tree
# draws its own, and its help, manual page, AppStream data and changelog must agree.
#   instalacao.sh BUILD PASTA_TEMPORARIA VERSAO ID
set -uo pipefail
build=$1 tmp=$2 versao=$3 id=$4
rm -rf "$tmp"
mkdir -p "$tmp/fora"
prefixo=$tmp/prefixo
dados=$prefixo/share/zelvana
falhas=0
falha() { echo "FALHA: $*"; falhas=$((falhas + 1)); }

cmake --install "$build" --prefix "$prefixo" >/dev/null || { echo "cmake --install falhou"; exit 1; }

for f in bin/zelvana share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/zelvana.svg share/man/man1/zelvana.1.gz \
    share/doc/zelvana/copyright share/doc/zelvana/changelog.gz \
    share/zelvana/zelvana.html share/zelvana/_figvazia.jpg share/zelvana/exemplo/pranchas.pra \
    share/zelvana/vocabulario_inicial/pranchas.pra share/zelvana/vocabulario_inicial/banana.jpg \
    share/zelvana/ARASAAC_mini/atribuicao.txt share/zelvana/ARASAAC_mini/manifesto.tsv; do
  [ -s "$prefixo/$f" ] || falha "não instalado: $f"
done
for lado in 16 24 32 48 64 128 256; do
  png=$prefixo/share/icons/hicolor/${lado}x${lado}/apps/zelvana.png
  tamanho=$(identify -format '%wx%h' "$png" 2>/dev/null)
  [ "$tamanho" = "${lado}x${lado}" ] || falha "ícone $png tem '$tamanho'"
done
# Every picture the help shows is installed beside it.
for img in $(grep -o 'src="[^"]*"' "$dados/zelvana.html" | sed 's/^src="//; s/"$//'); do
  [ -s "$dados/$img" ] || falha "a ajuda mostra $img, que não foi instalada"
done
# What the menu entry starts and shows is installed.
grep -qx 'Exec=zelvana' "$prefixo/share/applications/$id.desktop" || falha "Exec do menu"
grep -qx 'Icon=zelvana' "$prefixo/share/applications/$id.desktop" || falha "Icon do menu"
# The installed tree as a software centre reads it: AppStream data, its menu entry and icon.
if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net "$prefixo" >"$tmp/appstream.txt" 2>&1 ||
    falha "appstreamcli validate-tree: $(cat "$tmp/appstream.txt")"
fi

cd "$tmp/fora"
zelvana=$prefixo/bin/zelvana
ajuda=$("$zelvana" --help) || falha "--help terminou com erro"
for caminho in "$dados/zelvana.html" "$dados/exemplo" "$dados/vocabulario_inicial"; do
  grep -qF "$caminho" <<<"$ajuda" || falha "--help não aponta $caminho:"$'\n'"$ajuda"
done
[ "$("$zelvana" --version | head -n1)" = "Zelvana $versao" ] || falha "--version: $("$zelvana" --version)"
# A mistyped option is refused, not opened as a project folder.
"$zelvana" --executa Exemplo >/dev/null 2>recusa.txt
[ $? -eq 2 ] && grep -q -- "--executa" recusa.txt || falha "opção errada aceita: $(cat recusa.txt)"
grep -q "<release version=\"$versao\"" "$prefixo/share/metainfo/$id.metainfo.xml" ||
  falha "a versão do AppStream não é $versao"
[ "$(zcat "$prefixo/share/doc/zelvana/changelog.gz" | head -n1 | cut -d' ' -f2)" = "($versao)" ] ||
  falha "a primeira entrada do changelog não é $versao"
# Every option --help lists is in the manual page.
manual=$(zcat "$prefixo/share/man/man1/zelvana.1.gz" | sed 's/\\-/-/g')
for opcao in $(grep -oE -- '(^| )--?[a-z]+' <<<"$ajuda" | tr -d ' ' | sort -u); do
  grep -qF -- "$opcao" <<<"$manual" || falha "a página de manual não cita $opcao"
done

# The installed sample and starter vocabulary have nothing for the project check to report.
for projeto in exemplo vocabulario_inicial; do
  verificacao=$("$zelvana" --verificar "$dados/$projeto")
  [ $? -eq 0 ] && [ -z "$verificacao" ] || falha "--verificar em $projeto instalado: $verificacao"
done

# Given from an unrelated folder, with the output named relative to it, the installed program
# must draw the installed sample as the build tree's program draws its own from inside the
# project folder (where every picture is found).
"$zelvana" --jpg "$dados/exemplo" INICIO instalado.jpg 640x480 || falha "--jpg instalado"
[ "$(identify -format '%wx%h' instalado.jpg 2>/dev/null)" = "640x480" ] || falha "JPEG instalado"
(cd "$build/src/app/exemplo" && ../zelvana --jpg . INICIO "$tmp/fora/construido.jpg" 640x480) ||
  falha "--jpg na árvore de construção"
cmp -s instalado.jpg construido.jpg ||
  falha "o exemplo instalado não sai igual ao da árvore de construção"

cd / && [ $falhas -eq 0 ] && rm -rf "$tmp"
exit $((falhas > 0))
