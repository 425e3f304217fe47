# Installation in the usual Linux layout and the Debian package built from it (`make package`):
#   bin/skyvane                      the program
#   lib/skyvane/libgeomag.so         its private declination library (found through its RPATH)
#   share/skyvane/                   help, town database, magnetic model coefficients, current
#                                    satellite catalogue
#   share/applications, metainfo, icons/hicolor, man/man1, doc/skyvane
set(SKYVANE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(SKYVANE_APP_ID org.skyvane.Skyvane)
set(SKYVANE_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/skyvane)
set(SKYVANE_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/skyvane)

install(TARGETS skyvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A library that is only ever loaded, never executed.
install(TARGETS geomag LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/skyvane
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${SKYVANE_OUTPUT_DIR}/skyvane.qch ${SKYVANE_OUTPUT_DIR}/location.sqb
              ${SKYVANE_OUTPUT_DIR}/wmm.cof ${SKYVANE_OUTPUT_DIR}/satellites-current.dat
  DESTINATION ${SKYVANE_DATA_INSTALL_DIR})

install(FILES ${SKYVANE_PACKAGING_DIR}/${SKYVANE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SKYVANE_PACKAGING_DIR}/${SKYVANE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SKYVANE_PACKAGING_DIR}/icons/${SKYVANE_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${SKYVANE_PACKAGING_DIR}/icons/${SKYVANE_APP_ID}-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${SKYVANE_APP_ID}.png)
endforeach()

# Manual page and changelog go compressed, reproducibly (no name or time stamp in the archive).
set(compressed ${CMAKE_BINARY_DIR}/packaging)
foreach(name skyvane.1 changelog)
  add_custom_command(OUTPUT ${compressed}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${SKYVANE_PACKAGING_DIR}/${name} ${compressed}/${name}
    COMMAND gzip -9 -n -f ${compressed}/${name}
    DEPENDS ${SKYVANE_PACKAGING_DIR}/${name}
    VERBATIM)
endforeach()
add_custom_target(skyvane_compressed_docs ALL
  DEPENDS ${compressed}/skyvane.1.gz ${compressed}/changelog.gz)
install(FILES ${compressed}/skyvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${SKYVANE_PACKAGING_DIR}/CREDITS
              ${SKYVANE_PACKAGING_DIR}/copyright ${compressed}/changelog.gz
  DESTINATION ${SKYVANE_DOC_INSTALL_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skyvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR quor)
set(CPACK_PACKAGE_CONTACT "quor <quor@skyvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "point fixed satellite dishes at geostationary satellites")
# The extended description; the summary above is its first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "For a site given by latitude and longitude, Skyvane lists every geostationary
satellite above the horizon with its azimuth, elevation and polarisation skew.
A world map and a town database find the site, the magnetic declination turns
azimuths into compass bearings, and the list prints and exports to HTML and
CSV.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.skyvane.org)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to shlibdeps: the Wayland platform plugin, and the SQLite
# driver the help engine keeps its collection in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland, libqt6sql6-sqlite, tzdata")
# The toolkit's own dialogs (file, print, message boxes) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/SkyvaneDropLdconfig.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
