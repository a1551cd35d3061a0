# Settings shared by every Windows target.
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 STRICT NOMINMAX)
if(MINGW)
  # The system's printf family: the program formats only %d and %s, and MinGW's own C99
  # printf would add some 25 KB to it. (vsnprintf still reports the length it needs.)
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=0)
  # std::string's members built where they are used, not linked as the library's whole set.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(
      "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/InlineStrings.h>")
  endif()
  # A static run-time: CHIMO.EXE needs no DLL that Windows does not ship.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
set(CHIMO_WIN32_LIBS user32 gdi32 shell32 ole32 oleaut32 uuid comdlg32 comctl32
    advapi32)
if(MINGW)
  # The release build carries no symbols, and no function or data nothing refers to.
  add_compile_options($<$<CONFIG:MinSizeRel,Release>:-ffunction-sections>
                      $<$<CONFIG:MinSizeRel,Release>:-fdata-sections>)
  add_link_options($<$<CONFIG:MinSizeRel,Release>:-s> $<$<CONFIG:MinSizeRel,Release>:-Wl,--gc-sections>)
  # Hardened images: DEP, ASLR (relocations kept), and high-entropy ASLR on 64-bit.
  add_link_options(-Wl,--nxcompat -Wl,--dynamicbase)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
  endif()
endif()
