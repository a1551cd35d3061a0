# Shared by the two MinGW-w64 toolchain files; CHIMO_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
# The POSIX thread model: std::thread and std::mutex (GoogleTest needs them); with -static
# its small run-time is linked in, so no extra DLL ships.
set(CMAKE_C_COMPILER ${CHIMO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CHIMO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CHIMO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CHIMO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
