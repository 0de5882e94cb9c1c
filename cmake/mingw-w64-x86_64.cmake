# Cross toolchain: 64-bit Windows through mingw-w64 with posix threads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${TL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every executable and DLL carries its C and C++ runtime, so nothing needs a mingw DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
