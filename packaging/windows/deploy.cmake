# Puts beside the cross-compiled program what it loads on a Windows machine
# without Qt or MinGW: windeployqt, which does this on Windows, does not run
# on the build machine. Included from packaging/CMakeLists.txt.

# The Qt libraries the program links, and the plugins Qt loads at run time
# from folders beside the program: the platform (required) and the native
# widget style (optional; without it the window falls back to Fusion).
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
if(TARGET Qt6::QWindowsVistaStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
        DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
endif()

# GCC's runtime: the C++ library, the unwinder and the POSIX threads that
# the -posix compilers use. The compiler knows where its copies are.
foreach(_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
        OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${_path}")
        message(FATAL_ERROR "MinGW runtime ${_dll} not found; the ZIP would not start")
    endif()
    install(FILES ${_path} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# cpack strips what install(TARGETS) installs; the DLLs above come with
# their symbols (libstdc++ alone is 23 MB with them, 2 MB without).
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        file(GLOB_RECURSE _dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.dll\")
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${_dlls})
    endif()")
