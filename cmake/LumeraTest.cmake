# lumera_add_test(NAME name SOURCES ... LIBS ... [GUI] [WEB])
#   GUI: runs with the offscreen platform plugin.
#   WEB: needs QtWebEngine (links lumera_platform_web) and a real X display (the runner script
#        starts a virtual one).
# Every test gets a temporary HOME and XDG folders of its own from the runner script,
# so nothing touches the real user.
function(lumera_add_test)
    cmake_parse_arguments(T "GUI;WEB" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main Qt6::Test)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set(env_mode plain)
    if(T_GUI)
        set(env_mode offscreen)
    endif()
    if(T_WEB)
        target_link_libraries(${T_NAME} PRIVATE lumera_platform_web)
        set(env_mode display)
    endif()
    add_test(NAME ${T_NAME}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-env.sh ${env_mode} $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600
                         ENVIRONMENT "LUMERA_PROGRAM_DIR=${LUMERA_BIN_DIR};LUMERA_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
    if(T_WEB)
        set_tests_properties(${T_NAME} PROPERTIES LABELS "web")
    endif()
endfunction()
