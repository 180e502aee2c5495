# Installation into a prefix and the Debian package.
include(GNUInstallDirs)

set(generated ${PROJECT_BINARY_DIR}/generated)
configure_file(data/${ORVANE_APP_ID}.metainfo.xml.in ${generated}/${ORVANE_APP_ID}.metainfo.xml
               @ONLY)
configure_file(data/${ORVANE_APP_ID}.desktop.in ${generated}/${ORVANE_APP_ID}.desktop @ONLY)
configure_file(data/orvane.1.in ${generated}/orvane.1 @ONLY)

install(TARGETS orvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${generated}/${ORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${ORVANE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${generated}/${ORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${generated}/orvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES LICENSE README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_CONTACT "Orvane developers <developers@orvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvane models a short vertical antenna rod for 0.1 to 30 MHz, designs six matching networks \
to 50 Ohm, plots them over the band and in the impedance plane, and simulates three automatic \
antenna tuners built from switched banks of capacitors and inductors.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG icon through a plug-in, which the computed dependencies cannot see; the
# plotting library is named as well, so the package says it needs it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libqcustomplot2.1-qt6")
# Only the comparison with NEC-2 needs it; Orvane runs without.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "nec2c")
include(CPack)
