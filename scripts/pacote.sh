#!/usr/bin/env bash
# Builds the Debian package zelvana_<versão>_amd64.deb and checks it with lintian.
#   scripts/pacote.sh [PASTA_DE_SAÍDA]     (the build folder is $ZELVANA_BUILD_DEB or build-deb)
# Run as root on Debian 12 the first time: it installs what is missing.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVANA_BUILD_DEB:-$raiz/build-deb}
saida=${1:-$build}

"$raiz/scripts/deps.sh"
# Packaging tools: dpkg-shlibdeps computes the library dependencies, lintian checks the result.
faltando=()
for p in dpkg-dev file lintian; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltando+=("$p")
done
if [ ${#faltando[@]} -gt 0 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "Faltam pacotes (${faltando[*]}); rode como root." >&2; exit 1; }
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltando[@]}" >/dev/null
fi

# Debian's hardening flags, as a package built by Debian itself would have them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS)
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS"
export LDFLAGS=$(dpkg-buildflags --get LDFLAGS)

# The package lives in /usr: the program and its manual page are configured for that prefix.
cmake -S "$raiz" -B "$build" -G Ninja -DZELVANA_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build"
mkdir -p "$saida"
(cd "$build" && cpack -G DEB -B "$saida" >/dev/null)
rm -rf "$saida/_CPack_Packages"
deb=$(ls -t "$saida"/zelvana_*_*.deb | head -n1)

echo "Pacote: $deb ($(du -h "$deb" | cut -f1))"
dpkg-deb --field "$deb" Depends Recommends Installed-Size
# Errors fail the script; warnings are printed for whoever builds it.
lintian --fail-on error --tag-display-limit 0 "$deb"
