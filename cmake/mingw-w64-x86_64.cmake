# SPDX-License-Identifier: MIT
# Cross-builds 64-bit Windows programs on Debian with MinGW-w64. The posix thread model is the
# one whose libstdc++ has std::thread, which Qt 6 needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Libraries and headers only from the MinGW sysroot and the prefixes given for Windows (Qt,
# GoogleTest); programs, such as Qt's host tools, from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${triple} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the cross-built tests under Wine.
find_program(TREVIKA_WINE NAMES wine)
if(TREVIKA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TREVIKA_WINE})
endif()
