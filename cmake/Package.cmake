# Installs the program with its update install script, desktop entries, icon, manual page and
# the Debian package's documents, and packs them as a Debian package: `scripts/package` builds it
# without the tests and benchmarks (build-package/parlavine_<version>_<arch>.deb).
include(GNUInstallDirs)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(parlavine_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/parlavine)

install(TARGETS parlavine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Internal to the package: the program finds them in ../lib/parlavine/ from its own folder.
install(TARGETS parlavine-weblogin RUNTIME DESTINATION lib/parlavine)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/src/update/parlavine-install-update.sh
        DESTINATION lib/parlavine RENAME parlavine-install-update)
# The launcher, the "parlavine:" link handler and the "translate this file" action, system-wide:
# removing the package removes them (the packaged program writes no per-user copies).
install(FILES ${PROJECT_SOURCE_DIR}/cmake/parlavine.desktop ${PROJECT_SOURCE_DIR}/cmake/parlavine-scheme.desktop
              ${PROJECT_SOURCE_DIR}/cmake/parlavine-transfile.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/src/assets/barIcon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME parlavine.png)

# Compressed the way Debian wants them (gzip -9n: no name, no time stamp).
string(TIMESTAMP parlavine_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
function(parlavine_gzip source target)
    add_custom_command(OUTPUT ${target} COMMAND gzip -9n -c ${source} > ${target} DEPENDS ${source} VERBATIM)
endfunction()
parlavine_gzip(${PROJECT_BINARY_DIR}/debian/changelog ${PROJECT_BINARY_DIR}/debian/changelog.gz)
parlavine_gzip(${PROJECT_SOURCE_DIR}/cmake/debian/parlavine.1 ${PROJECT_BINARY_DIR}/debian/parlavine.1.gz)
add_custom_target(parlavine_package_docs ALL
                  DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz ${PROJECT_BINARY_DIR}/debian/parlavine.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz ${PROJECT_SOURCE_DIR}/cmake/debian/copyright
        DESTINATION ${parlavine_doc_dir})
install(FILES ${PROJECT_BINARY_DIR}/debian/parlavine.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME parlavine)
set(CPACK_PACKAGE_VENDOR "Parlavine")
set(CPACK_PACKAGE_CONTACT "Parlavine developers <dev@parlavine.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop client for an online machine-translation service")
# The summary is the synopsis; this is the extended description below it.
set(CPACK_PACKAGE_DESCRIPTION "Parlavine translates typed text (with aligned sentences, language detection,
suggestions and a history), text selected in other programs, a region of the
screen and whole documents, through an online translation service. Users keep
term and sentence repositories, manage their account and receive updates.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads at run time besides the libraries it links: the QML modules it imports,
# the SVG image plugin, the SQLite driver, the web engine's QML module of the social login, and
# pkexec for the update installation.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "pkexec, qml-module-qtquick2, qml-module-qtquick-window2, qml-module-qtquick-controls2, qml-module-qtquick-templates2, qml-module-qtquick-layouts, qml-module-qtgraphicaleffects, qml-module-qt-labs-platform, qml-module-qt-labs-calendar, qml-module-qtquick-shapes, qml-module-qtwebengine, libqt5svg5, libqt5sql5-sqlite")
include(CPack)
