# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers (the
# "posix" thread model, which std::thread needs). The programs are linked
# statically, so tarnwell.exe needs no DLL beside it; tests run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARNWELL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARNWELL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNWELL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNWELL_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARNWELL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
