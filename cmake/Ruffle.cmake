# The movie player's files (npm @ruffle-rs/ruffle, installed by scripts/setup.sh at the version
# package-lock.json pins) are copied beside the programs into ruffle/.
set(LUMERA_RUFFLE_SOURCE ${CMAKE_SOURCE_DIR}/node_modules/@ruffle-rs/ruffle)
if(NOT EXISTS ${LUMERA_RUFFLE_SOURCE}/ruffle.js)
    message(WARNING "The movie player is missing (${LUMERA_RUFFLE_SOURCE}); run scripts/setup.sh. "
                    "The saver's movie modes will show black.")
endif()
add_custom_target(lumera_ruffle ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${LUMERA_RUFFLE_SOURCE} -DTARGET=${LUMERA_BIN_DIR}/ruffle
            -P ${CMAKE_CURRENT_LIST_DIR}/CopyRuffle.cmake
    COMMENT "Copying the movie player into the program folder"
    VERBATIM)
add_dependencies(lumera_saver_program lumera_ruffle)
