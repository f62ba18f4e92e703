# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model).
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Test executables run under Wine through CMAKE_CROSSCOMPILING_EMULATOR, in a Wine prefix of the
# build's own (SORIX_WINEPREFIX, by default <build dir>/wineprefix). Create it once with
#   cmake/setup-wine-prefix.sh <prefix>
# and start its server before ctest (test.sh does both).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SORIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SORIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SORIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SORIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SORIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The toolchain file is read again for every try_compile project, with that project's binary
# dir; only the main build's value matters (it is cached there).
set(SORIX_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
    "Wine prefix in which the Windows test executables run")
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${SORIX_WINEPREFIX}")
