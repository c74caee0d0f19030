# The Debian package: `cpack -G DEB` in the build folder. Run-time dependencies come from the
# shared libraries the programs link (dpkg-shlibdeps), not from a hand-made list.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kovrak-morva)
set(CPACK_PACKAGE_VENDOR Kovrak)
set(CPACK_PACKAGE_CONTACT "Kovrak Morva developers <morva@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pop-up dictionary for English, Uzbek and Russian")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_CURRENT_LIST_DIR}/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://morva.example.com/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG icon plugins at run time; no link of the programs shows them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
# A CHM viewer opens the help on F1, through xdg-open; the word forms of English and Russian
# read Hunspell's dictionaries at run time (without them those lose only Hunspell's forms).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xchm, xdg-utils, hunspell-en-us, hunspell-ru")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The font cache is refreshed by fontconfig's own trigger on /usr/share/fonts, as for
# Debian's font packages, so no maintainer script is needed.

include(CPack)
