# Read by cpack when it runs. The Debian generator finds the programs among the package's
# files with `file`, whose escaping of non-ASCII names would lose Lumera屏保.
set(FILE_EXECUTABLE "${CMAKE_CURRENT_LIST_DIR}/file-raw")
