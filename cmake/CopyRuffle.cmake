# cmake -DSOURCE=<ruffle package> -DTARGET=<folder> -P CopyRuffle.cmake
# Copies what runs (scripts, WebAssembly, licences), not the source maps.
if(NOT EXISTS ${SOURCE}/ruffle.js)
    return()
endif()
file(GLOB files ${SOURCE}/*.js ${SOURCE}/*.wasm ${SOURCE}/LICENSE* ${SOURCE}/package.json)
file(MAKE_DIRECTORY ${TARGET})
file(COPY ${files} DESTINATION ${TARGET})
