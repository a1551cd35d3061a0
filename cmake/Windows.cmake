# Settings shared by every Windows target.
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 STRICT NOMINMAX)
if(MINGW)
  # C99 printf family (vsnprintf that reports the length it needs, %zu).
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
  # A static run-time: CHIMO.EXE needs no DLL that Windows does not ship.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
set(CHIMO_WIN32_LIBS user32 gdi32 shell32 ole32 oleaut32 uuid winmm comdlg32 comctl32
    advapi32)
if(MINGW)
  # The release build carries no symbols.
  add_link_options($<$<CONFIG:MinSizeRel,Release>:-s>)
endif()
