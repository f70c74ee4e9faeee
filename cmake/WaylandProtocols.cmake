# Client code of Wayland protocols, made by wayland-scanner into the build tree.
# lumera_wayland_client_protocol(target xml) adds <name>-client-protocol.h and its code to
# the target; the header is included by its bare name.
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET GLOBAL wayland-client)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_package(PlasmaWaylandProtocols REQUIRED)
if(NOT WAYLAND_SCANNER OR NOT WAYLAND_PROTOCOLS_DIR)
    message(FATAL_ERROR "wayland-scanner and wayland-protocols are needed (scripts/setup.sh)")
endif()

function(lumera_wayland_client_protocol target xml)
    get_filename_component(name ${xml} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/wayland)
    file(MAKE_DIRECTORY ${out})
    add_custom_command(OUTPUT ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c
        COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${out}/${name}-client-protocol.h
        COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${out}/${name}-protocol.c
        DEPENDS ${xml} VERBATIM)
    target_sources(${target} PRIVATE ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c)
    target_include_directories(${target} PRIVATE ${out})
endfunction()

# lumera_wayland_server_header(target xml) adds <name>-server-protocol.h, for a test's stand-in
# compositor; the protocol's interfaces come from the client code the programs link.
pkg_check_modules(WAYLAND_SERVER REQUIRED IMPORTED_TARGET GLOBAL wayland-server)
function(lumera_wayland_server_header target xml)
    get_filename_component(name ${xml} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/wayland)
    file(MAKE_DIRECTORY ${out})
    add_custom_command(OUTPUT ${out}/${name}-server-protocol.h
        COMMAND ${WAYLAND_SCANNER} server-header ${xml} ${out}/${name}-server-protocol.h
        DEPENDS ${xml} VERBATIM)
    target_sources(${target} PRIVATE ${out}/${name}-server-protocol.h)
    target_include_directories(${target} PRIVATE ${out})
endfunction()
