# The Debian package, built by "cpack -G DEB" from a tree configured for /usr
# (scripts/pacote.sh does both).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvana)
set(CPACK_PACKAGE_VERSION ${ZELVANA_VERSAO_TEXTO})
set(CPACK_PACKAGE_VENDOR "Zelvana")
set(CPACK_PACKAGE_CONTACT "${ZELVANA_MANTENEDOR}")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZELVANA_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZELVANA_SITE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Libraries are found by dpkg-shlibdeps; what the program reads, opens or starts at run time
# without linking to it is named here: the speech engine, libzip and Qt's SVG image plugin are
# opened on first need. DejaVu is the sans-serif font Qt's widgets ask fontconfig for: on a
# minimal system without it every caption falls back to a monospaced face.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libespeak-ng1, libzip4, libqt6svg6, fonts-dejavu-core, fonts-liberation, espeak-ng-data, qt6-translations-l10n, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "editor de pranchas de comunicação para quem não fala
O Zelvana constrói e usa pranchas de comunicação: grades de figuras com
rótulos. Quem monta o projeto (terapeuta, professor ou familiar) escolhe as
figuras, os textos falados, os sons gravados e as ligações entre as pranchas;
quem não fala escolhe uma figura com o mouse, com um acionador e varredura
automática, parando o cursor sobre ela ou com um rastreador de olhar, e o
computador fala ou toca a mensagem e passa para a próxima prancha.

Traz voz em português do Brasil, uma biblioteca de figuras com nomes em
português do Brasil e um projeto de exemplo.")

include(CPack)
