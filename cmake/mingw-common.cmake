# Shared by the two MinGW-w64 toolchain files; CHIMO_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
# The POSIX thread model gives std::thread and std::mutex, which GoogleTest needs; with -static
# its run-time (about 30 KB) is linked in. The program itself starts no thread, so the release
# build, which has no tests, uses the lighter win32 model (CHIMO_THREAD_MODEL=win32).
set(CHIMO_THREAD_MODEL posix CACHE STRING "MinGW-w64 thread model: posix or win32")
set(CMAKE_C_COMPILER ${CHIMO_MINGW_TRIPLE}-gcc-${CHIMO_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${CHIMO_MINGW_TRIPLE}-g++-${CHIMO_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${CHIMO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CHIMO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
