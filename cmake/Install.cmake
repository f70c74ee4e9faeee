# cmake --install: both programs and everything shipped beside them go into one program folder,
# <prefix>/lib/lumera; launchers in <prefix>/bin start them from there, so each program finds
# its folder as the folder of its own file. Default prefix: ~/.local, a per-user install.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/.local" CACHE PATH "Install prefix" FORCE)
endif()
set(LUMERA_INSTALL_FOLDER lib/lumera)

install(TARGETS Korvid lumera_saver_program RUNTIME DESTINATION ${LUMERA_INSTALL_FOLDER})
# Korvid's web engine, which it opens from its program folder's lib/.
install(TARGETS lumera_web_engine LIBRARY DESTINATION ${LUMERA_INSTALL_FOLDER}/lib)
# The program folder of the build tree holds content, the movie player and the programs.
install(DIRECTORY ${LUMERA_BIN_DIR}/ DESTINATION ${LUMERA_INSTALL_FOLDER}
        USE_SOURCE_PERMISSIONS
        PATTERN "Korvid" EXCLUDE
        PATTERN "liblumera_web_engine.so" EXCLUDE
        PATTERN "Lumera屏保" EXCLUDE
        PATTERN "his.dat" EXCLUDE
        PATTERN "history.html" EXCLUDE
        PATTERN "Fav.rar" EXCLUDE
        PATTERN "Favorites" EXCLUDE
        PATTERN "sys" EXCLUDE
        PATTERN "temp" EXCLUDE)

foreach(program Korvid Lumera屏保)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/launcher.in
                   ${CMAKE_BINARY_DIR}/launchers/${program} @ONLY)
    install(PROGRAMS ${CMAKE_BINARY_DIR}/launchers/${program} DESTINATION bin)
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/lumera-korvid.desktop
              ${CMAKE_SOURCE_DIR}/packaging/lumera-saver.desktop
        DESTINATION share/applications)
# The saver as a theme of the screen-saver engines: mate-screensaver and xfce4-screensaver read
# applications/screensavers/ (the theme is "screensavers-lumera-saver") but run only programs
# of their engine folder, libexec/xscreensaver, where a link leads to the launcher.
# xscreensaver's settings dialog reads a program's options from xscreensaver/config/, under
# the program's file name with its ASCII capitals made small: lumera屏保.xml.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/screensavers/lumera-saver.desktop
        DESTINATION share/applications/screensavers)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/engine)
file(CREATE_LINK ../../bin/Lumera屏保 ${CMAKE_BINARY_DIR}/packaging/engine/Lumera屏保 SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/engine/Lumera屏保 DESTINATION libexec/xscreensaver)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lumera屏保.xml DESTINATION share/xscreensaver/config)
install(FILES ${CMAKE_SOURCE_DIR}/portal/resources/icons/korvid.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME lumera-korvid.svg)
