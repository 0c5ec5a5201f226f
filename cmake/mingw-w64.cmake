# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix-thread
# flavour, so that std::thread and std::mutex work):
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The programs link the C and C++ runtimes statically, so that they run from
# any folder (and under Wine) without MinGW's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ROLLPATH_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ROLLPATH_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ROLLPATH_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ROLLPATH_MINGW_PREFIX}-windres)

# Libraries and packages only from the target's root and ROLLPATH_MINGW_DEPS
# (where scripts/build-windows installs GoogleTest); programs from the build
# machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ROLLPATH_MINGW_PREFIX} ${ROLLPATH_MINGW_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs are run through Wine (gtest_discover_tests lists them too).
find_program(ROLLPATH_WINE NAMES wine wine64)
if(ROLLPATH_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ROLLPATH_WINE})
endif()
