# `cmake --install` into a scratch prefix puts exactly the programs, the desktop entry, the icon
# and the udev rule in their usual places: -DBUILD=<build folder> -DPREFIX=<scratch prefix>.

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${out}\n${err}")
endif()

set(expected
    bin/quavelo
    lib/udev/rules.d/70-quavelo.rules
    share/applications/quavelo.desktop
    share/icons/hicolor/256x256/apps/quavelo.png)
if(EXISTS "${BUILD}/src/cli/quavelo-cli")
  list(APPEND expected bin/quavelo-cli)
endif()
list(SORT expected)

file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

file(READ "${PREFIX}/share/applications/quavelo.desktop" desktop)
foreach(line "Exec=quavelo" "Icon=quavelo" "Type=Application")
  string(FIND "${desktop}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
file(READ "${PREFIX}/share/icons/hicolor/256x256/apps/quavelo.png" size HEX OFFSET 16 LIMIT 8)
if(NOT size STREQUAL "0000010000000100")
  message(FATAL_ERROR "the icon is not 256 x 256: ${size}")
endif()
