# The release build: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CHIMO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
