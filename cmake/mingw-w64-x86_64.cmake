# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (GCC).
# The -posix compilers, because their libstdc++ has std::thread and
# std::mutex, which the -win32 ones lack and Qt needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)
set(CMAKE_AR ${_mingw}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${_mingw}-gcc-ranlib-posix CACHE FILEPATH "")
# CMake cannot guess the binutils from a compiler name ending in -posix, and
# the build machine's strip would ruin a Windows binary (cpack strips).
set(CMAKE_STRIP ${_mingw}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${_mingw}-objdump CACHE FILEPATH "")
set(CMAKE_NM ${_mingw}-nm CACHE FILEPATH "")

# Libraries and headers come only from the MinGW sysroot and from what a
# build adds or names itself (Qt's own toolchain file adds the cross-built
# Qt; GTest_DIR names a cross-built GoogleTest), never from the build
# machine's /usr; programs such as Qt's moc and rcc do come from there.
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
