# Installs the program with its update install script, launcher entry and icon, and packs them as
# a Debian package: `cmake --build build --target package` writes build/parlavine_<version>_<arch>.deb.
include(GNUInstallDirs)
install(TARGETS parlavine parlavine-weblogin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program looks for the install script beside itself.
install(PROGRAMS ${PROJECT_SOURCE_DIR}/src/update/parlavine-install-update.sh
        DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME parlavine-install-update)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/parlavine.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/src/assets/barIcon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME parlavine.png)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME parlavine)
set(CPACK_PACKAGE_VENDOR "Parlavine")
set(CPACK_PACKAGE_CONTACT "Parlavine developers <dev@parlavine.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop client for an online machine-translation service")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "pkexec, qml-module-qtquick2, qml-module-qtquick-window2, qml-module-qtquick-controls2, qml-module-qtquick-layouts, qml-module-qtgraphicaleffects, qml-module-qt-labs-platform, qml-module-qt-labs-calendar, qml-module-qtquick-shapes, qml-module-qtwebengine, libqt5sql5-sqlite")
include(CPack)
