# install.cmake - what `cmake --install` puts in place and how CPack packs it.
#
# Included at the end of the top-level CMakeLists.txt, once the targets exist.
# Two components:
#   Runtime     - the program, its manual page, desktop entry, AppStream
#                 metainfo and icons, the README, the copyright file and the
#                 layer's reference (`make install`, and the package
#                 tessary_<version>_<arch>.deb);
#   Development - the layer's static library and gfx.h, for other small
#                 programs (the package tessary-dev_<version>_<arch>.deb);
#   Licence     - the LICENSE file, for `make install` only.
# Paths come from GNUInstallDirs, so PREFIX and DESTDIR work as usual.
include(GNUInstallDirs)

# Who answers for the packages: the Debian changelog and the packages' control
# fields name this.
set(TESSARY_MAINTAINER "The Tessary developers <tessary@example.org>")

set(TESSARY_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tessary)
set(TESSARY_METAINFO data/io.github.tessary.tessary.metainfo.xml)

# Manual pages and changelogs are installed compressed, the way Debian wants
# them; -n keeps the name and time stamp out, so the bytes are reproducible.
set(TESSARY_MAN_GZ ${CMAKE_BINARY_DIR}/tessary.1.gz)
set(TESSARY_CHANGELOG ${CMAKE_BINARY_DIR}/changelog)
configure_file(data/changelog.in ${TESSARY_CHANGELOG} @ONLY)
add_custom_command(OUTPUT ${TESSARY_CHANGELOG}.gz
  COMMAND gzip -9n -c ${TESSARY_CHANGELOG} > ${TESSARY_CHANGELOG}.gz
  DEPENDS ${TESSARY_CHANGELOG} VERBATIM)
add_custom_target(compressed_changelog ALL DEPENDS ${TESSARY_CHANGELOG}.gz)

install(TARGETS tessary RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
# The manual page names the documentation folder under the prefix it goes to,
# which is known only when installing (CPack installs under /usr): it is
# configured from its template then.
install(CODE "
  set(TESSARY_DOC_PATH \"\${CMAKE_INSTALL_PREFIX}/${TESSARY_DOC_DIR}\")
  configure_file(${CMAKE_SOURCE_DIR}/docs/tessary.1.in ${CMAKE_BINARY_DIR}/tessary.1 @ONLY)
  execute_process(COMMAND gzip -9n -c ${CMAKE_BINARY_DIR}/tessary.1 OUTPUT_FILE ${TESSARY_MAN_GZ}
                  COMMAND_ERROR_IS_FATAL ANY)
  " COMPONENT Runtime)
install(FILES ${TESSARY_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)
install(FILES data/tessary.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT Runtime)
install(FILES ${TESSARY_METAINFO} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT Runtime)
install(DIRECTORY data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons COMPONENT Runtime)
install(FILES README.md docs/gfx.md data/copyright ${TESSARY_CHANGELOG}.gz
  DESTINATION ${TESSARY_DOC_DIR} COMPONENT Runtime)
# In the Debian packages the copyright file carries the licence text, so the
# LICENSE file has a component of its own that CPack leaves out.
install(FILES LICENSE DESTINATION ${TESSARY_DOC_DIR} COMPONENT Licence)
install(FILES examples/machines.toml DESTINATION ${TESSARY_DOC_DIR}/examples COMPONENT Runtime)

install(TARGETS gfx ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(FILES src/gfx/gfx.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tessary COMPONENT Development)
install(FILES data/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tessary-dev COMPONENT Development)
install(FILES ${TESSARY_CHANGELOG}.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tessary-dev
  COMPONENT Development)

# Debian packages, one per component, built by `make package` (cpack -G DEB).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessary)
set(CPACK_PACKAGE_VENDOR "The Tessary developers")
set(CPACK_PACKAGE_CONTACT "${TESSARY_MAINTAINER}")
# Debian's control fields have no licence (data/copyright holds it); these are
# the fields of the generators that do.
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME tessary)
# dpkg-shlibdeps names the shared libraries the program links: SDL 1.2,
# libpng and libpotrace (the outlines of key i and --vectorize).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
# xdg-user-dir finds the localised pictures folder that the menu entry uses.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS xdg-user-dirs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "\
editor for small vector pictures\n\
Tessary edits pictures of up to 512 points and 512 lines on a canvas of\n\
256 x 200 cells, in one window with a magnified, pannable view, an overview\n\
of the whole canvas and a status panel. Pictures are kept in seven slots of\n\
plain text files and can be exported as sorted coordinate tables, as SVG\n\
and PNG images, and as HP-GL, G-code and ILDA files for pen plotters and\n\
laser projectors; the seven slots play as an animation and are written as\n\
one ILDA show and an animated GIF.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME tessary-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libsdl1.2-dev, libx11-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "\
graphics, text and input layer of the Tessary editor\n\
A static library of plain functions over SDL 1.2 for small programs: one\n\
window with a 32-bit surface, pixels, lines, rectangles, circles and disks,\n\
text in a built-in 8 x 8 font, modal number and text prompts, colour model\n\
conversions and BMP loading. Its reference is in the tessary package.")
# The editor runs on either SDL 1.2: the original library or sdl12-compat over
# SDL2. dpkg-shlibdeps names only the first; the wrapper adds the other.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/cpack-project.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
  "set(SHLIBDEPS_EXECUTABLE \"${CMAKE_SOURCE_DIR}/scripts/shlibdeps-any-sdl.sh\")\n")
include(CPack)
