cmake_minimum_required(VERSION 3.25)
# Installs the build into PREFIX and checks the freedesktop layout there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(
    COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --config "${CONFIG}" --prefix "${PREFIX}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()

set(expected
    ${BINDIR}/thermal-motion
    ${DATADIR}/applications/${APP_ID}.desktop
    ${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg
    ${DATADIR}/metainfo/${APP_ID}.metainfo.xml
    ${DATADIR}/doc/thermal-motion/copyright
    ${DATADIR}/doc/thermal-motion/changelog.gz)
foreach(f IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${f}")
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
execute_process(COMMAND test -x "${PREFIX}/${BINDIR}/thermal-motion" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the installed program is not executable")
endif()

# The entry must start the installed program by name and show the installed
# icon, or menus show a blank icon and a launcher that does nothing.
file(STRINGS "${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop" entry)
if(NOT "Exec=thermal-motion" IN_LIST entry)
    message(FATAL_ERROR "the desktop entry does not start thermal-motion")
endif()
if(NOT "Icon=${APP_ID}" IN_LIST entry)
    message(FATAL_ERROR "the desktop entry does not name the icon ${APP_ID}")
endif()
file(READ "${PREFIX}/${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg" svg)
if(NOT svg MATCHES "<svg[ >]")
    message(FATAL_ERROR "the icon is not an SVG image")
endif()

# validate-tree reads the metainfo together with the desktop entry it names.
if(APPSTREAMCLI AND EXISTS "${APPSTREAMCLI}")
    execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net "${PREFIX}"
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    message("${out}")
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate-tree rejects the installed tree")
    endif()
endif()
