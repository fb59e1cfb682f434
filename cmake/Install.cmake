# Install layout and the Debian package.
#
#   <prefix>/bin/pointrix
#   <prefix>/share/pointrix/languages/<Language>/      language folders
#   <prefix>/share/applications/<id>.desktop           menu entry
#   <prefix>/share/icons/hicolor/<n>x<n>/apps/<id>.png  icon, 16 to 256 px
#   <prefix>/share/metainfo/<id>.metainfo.xml          software-centre entry
#   <prefix>/share/man/man6/pointrix.6.gz              manual page
#   <prefix>/share/doc/pointrix/                       copyright, changelog
#
# The program finds the languages relative to its own folder, so any prefix works
# (/usr, /usr/local, ~/.local). `cpack -G DEB` in the build folder makes
# pointrix_<version>_<arch>.deb for /usr.

include(GNUInstallDirs)

set(POINTRIX_APP_ID "example.quillaby_software.Pointrix")
set(POINTRIX_DATA_DIR "${CMAKE_SOURCE_DIR}/data")

# The manual page and the changelog are installed compressed, as Debian expects;
# -n keeps the time stamp out so the bytes are reproducible.
find_program(POINTRIX_GZIP gzip REQUIRED)
set(POINTRIX_GZ_DIR "${CMAKE_BINARY_DIR}/install-data")
foreach(name pointrix.6 changelog)
  add_custom_command(OUTPUT "${POINTRIX_GZ_DIR}/${name}.gz"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${POINTRIX_GZ_DIR}"
    COMMAND ${POINTRIX_GZIP} -9nc "${POINTRIX_DATA_DIR}/${name}" > "${POINTRIX_GZ_DIR}/${name}.gz"
    DEPENDS "${POINTRIX_DATA_DIR}/${name}"
    VERBATIM)
endforeach()
add_custom_target(install_data ALL DEPENDS "${POINTRIX_GZ_DIR}/pointrix.6.gz" "${POINTRIX_GZ_DIR}/changelog.gz")

install(TARGETS pointrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY "${CMAKE_SOURCE_DIR}/languages/" DESTINATION "${CMAKE_INSTALL_DATADIR}/pointrix/languages")
install(FILES "${POINTRIX_DATA_DIR}/${POINTRIX_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${POINTRIX_DATA_DIR}/${POINTRIX_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(DIRECTORY "${POINTRIX_DATA_DIR}/icons/" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
install(FILES "${POINTRIX_GZ_DIR}/pointrix.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
install(FILES "${POINTRIX_DATA_DIR}/copyright" "${POINTRIX_GZ_DIR}/changelog.gz"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/pointrix")

# The Debian package.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "pointrix")
set(CPACK_PACKAGE_VENDOR "Quillaby Software")
set(CPACK_PACKAGE_CONTACT "Quillaby Software <hello@quillaby-software.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quillaby-software.example/pointrix/")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "mouse tutor for complete beginners
Pointrix teaches complete beginners to use a computer mouse. Short pages
explain how to hold the mouse, point, click, double-click and drag, in the
learner's own language and for left-handed or right-handed learners.
Three small games train one skill each: hitting bugs on a board, turning
boxes into flowers with a double-click, and dragging jigsaw pieces into
a frame.")
# Shared libraries (SDL, FreeType, the C and C++ runtimes) are found by
# dpkg-shlibdeps. The fonts are built into the program, so no font package is
# needed at run time. The About page's links open in the desktop's browser; the
# desktop's left-handed setting is read with gsettings or xmodmap when present.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libglib2.0-bin, x11-xserver-utils")
include(CPack)
