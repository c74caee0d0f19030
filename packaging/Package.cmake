# The Debian packages: `cpack -G DEB` in the build folder makes two. kovrak-morva holds the
# program, morva-cli, the data, the guide and the desktop files; fonts-kovrak-morva holds the
# two display fonts, as Debian ships fonts, and the program's package depends on it.
# Run-time dependencies of the programs come from the shared libraries they link
# (dpkg-shlibdeps), not from a hand-made list.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kovrak-morva)
set(CPACK_PACKAGE_VENDOR Kovrak)
set(CPACK_PACKAGE_CONTACT "Kovrak <kovrak@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program fonts)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kovrak/morva)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME kovrak-morva)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION text)
file(READ ${CMAKE_CURRENT_LIST_DIR}/description.txt programDescription)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "pop-up dictionary for English, Uzbek and Russian\n${programDescription}")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_PROGRAM_DEPENDS fonts)
# Qt loads the SVG icon plugins at run time; no link of the programs shows them.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS libqt6svg6)
# A CHM viewer opens the help on F1, through xdg-open; the word forms of English and Russian
# read Hunspell's dictionaries at run time (without them those lose only Hunspell's forms).
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "xchm, xdg-utils, hunspell-en-us, hunspell-ru")

set(CPACK_DEBIAN_FONTS_PACKAGE_NAME fonts-kovrak-morva)
set(CPACK_DEBIAN_FONTS_PACKAGE_SECTION fonts)
set(CPACK_DEBIAN_FONTS_PACKAGE_ARCHITECTURE all)
file(READ ${CMAKE_CURRENT_LIST_DIR}/fonts-description.txt fontsDescription)
set(CPACK_DEBIAN_FONTS_DESCRIPTION "display fonts of the Kovrak Morva dictionary\n${fontsDescription}")
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/MultiArchForeign.cmake)
# The font cache is refreshed by fontconfig's own trigger on /usr/share/fonts, as for
# Debian's font packages, so no maintainer script is needed.

include(CPack)
