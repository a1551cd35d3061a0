# 32-bit Windows: the release build, and its tests run under Wine (wine32).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CHIMO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
