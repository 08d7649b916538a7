# The Debian package (cpack -G DEB, run by scripts/make-deb). Everything the install rules put in
# place goes into it; its version is the project's.

set(VELMORA_DEB_MAINTAINER "Velmora developers <velmora@example.org>"
  CACHE STRING "Maintainer field of the Debian package")

# The package documents Debian asks for: the copyright and the changelog.
string(TIMESTAMP VELMORA_SOURCE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in debian/changelog @ONLY)
add_custom_command(OUTPUT debian/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog > debian/changelog.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog)
add_custom_target(velmora_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
              ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "${VELMORA_DEB_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo order tally for the desktop")
# The long description, as lines of at most 80 columns in the control file.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Whoever collects orders for photographs (a school class, a club, an event)"
  "keeps a list of names and a list of photo order numbers. Velmora shows an"
  "order sheet with one row per person, filled by clicking order numbers in a"
  "picker, and tallies it per person (photos and amount at a unit price) and per"
  "order number (how many, by which rows, and a grand total). It prints the result"
  "on one page and saves the sheet as tab-separated Shift-JIS text. The interface"
  "is in Japanese."
  "."
  "The command-line tool velmora-tally gives the same tallies for scripts and"
  "batch work, and can draw the printed page into a PDF file.")
# The programs are built for the prefix they are packaged under (the PDF module's folder, the
# help file's folder and the launcher's path are compiled or written into them).
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMORA_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from dpkg-shlibdeps; what no link shows is listed here: a Japanese
# gothic font for the interface and the page, and Qt's own texts in Japanese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
# The menu launcher asks xdg-user-dir for the documents folder.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-user-dirs")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
