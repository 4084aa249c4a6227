# The -posix compilers give std::thread and friends through winpthread.
set(CMAKE_C_COMPILER ${KVU_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVU_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KVU_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KVU_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The updater may be asked to replace any DLL beside it, so it depends on none
# but the system's: the runtime libraries are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

set(KVU_WINE_RUNNER ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
