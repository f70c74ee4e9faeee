# cpack: one Debian package, lumera_<version>_amd64.deb, of both programs. The install rules
# of Install.cmake lay it out under /usr: the program folder /usr/lib/lumera, the launchers in
# /usr/bin, the menu entries, the icon, the software-centre entry and the documents.
set(LUMERA_HOMEPAGE "https://lumera.invalid" CACHE STRING
    "Where the project is published; the software-centre entry takes its screenshots from here")

configure_file(${CMAKE_SOURCE_DIR}/packaging/lumera-korvid.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/lumera-korvid.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/lumera-korvid.metainfo.xml DESTINATION share/metainfo)

# Debian wants the change log compressed without a time stamp of its own.
set(compressed)
foreach(document changelog Korvid.1 Lumera屏保.1)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${document}.gz
        COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/${document} > ${CMAKE_BINARY_DIR}/packaging/${document}.gz
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${document}
        VERBATIM)
    list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${document}.gz)
endforeach()
add_custom_target(lumera_package_documents ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/Korvid.1.gz ${CMAKE_BINARY_DIR}/packaging/Lumera屏保.1.gz
        DESTINATION share/man/man1)
# The screen saver's launcher keeps the program's own name, which is not ASCII.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides DESTINATION share/lintian/overrides
        RENAME lumera)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/lumera)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumera)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "Lumera developers <developers@lumera.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LUMERA_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "entertainment desktop in the notification area")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Korvid (Lumera桌面) lives in the notification area. Its main window
joins a directory of online film, television, radio and music sites, a
browser pane in which they open, a video search over ten video sites, a
viewing history and favourites.

Lumera屏保 is its full-screen screen saver: small movies, a sunset page,
or a fade slideshow of the user's own photos.")
# The libraries the programs link come from dpkg-shlibdeps; these they load or call at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins, qt6-translations-l10n, fonts-noto-cjk, dbus")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, pulseaudio-utils | wireplumber, xdg-user-dirs, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/CPackProject.cmake)
include(CPack)
