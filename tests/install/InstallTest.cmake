# `cmake --install` into a scratch prefix puts exactly the programs, the desktop entry, the icon,
# the udev rule and the watch's user unit in their usual places, and the installed quavelo-cli
# keeps its data in the user's data folder, not beside itself: -DBUILD=<build folder>
# -DPREFIX=<scratch prefix> -DGUI=<QUAVELO_BUILD_GUI of the build> -DPROFILES=<ModelProfile.cpp>.

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${out}\n${err}")
endif()

set(expected bin/quavelo-cli lib/systemd/user/quavelo-watch@.service
             lib/udev/rules.d/70-quavelo.rules)
if(GUI)
  list(APPEND expected bin/quavelo share/applications/quavelo.desktop
       share/icons/hicolor/256x256/apps/quavelo.png)
endif()
list(SORT expected)

file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

# The unit starts the installed program.
file(STRINGS "${PREFIX}/lib/systemd/user/quavelo-watch@.service" exec REGEX "^ExecStart=")
if(NOT exec STREQUAL "ExecStart=${PREFIX}/bin/quavelo-cli $QUAVELO_WATCH_OPTIONS watch --preset %i")
  message(FATAL_ERROR "the unit starts: ${exec}")
endif()

# Run from a writable bin folder, the installed program writes its preset and diary into the
# user's data folder and nothing beside itself.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_HOME --unset=QUAVELO_DATA_DIR
                        HOME=${PREFIX}/home ${PREFIX}/bin/quavelo-cli --simulate preset save 1
                RESULT_VARIABLE status ERROR_VARIABLE err)
file(GLOB beside RELATIVE "${PREFIX}/bin" "${PREFIX}/bin/*")
list(REMOVE_ITEM beside quavelo quavelo-cli)
if(NOT status EQUAL 0 OR beside OR NOT EXISTS "${PREFIX}/home/.local/share/quavelo/SAVE0.dat")
  message(FATAL_ERROR "preset save: exit ${status}, beside the program: ${beside}\n${err}")
endif()
file(REMOVE_RECURSE "${PREFIX}/home")

# The rule has one line for each model of the model table, with its ids as sysfs writes them.
file(READ "${PROFILES}" profiles)
string(REGEX MATCHALL "\\.usb = {0x[0-9A-Fa-f]+, 0x[0-9A-Fa-f]+}" models "${profiles}")
file(STRINGS "${PREFIX}/lib/udev/rules.d/70-quavelo.rules" rules REGEX "^SUBSYSTEM")
list(LENGTH models model_count)
list(LENGTH rules rule_count)
if(model_count EQUAL 0 OR NOT rule_count EQUAL model_count)
  message(FATAL_ERROR "${model_count} models, ${rule_count} udev rule lines:\n${rules}")
endif()
foreach(model IN LISTS models)
  string(TOLOWER "${model}" model)
  string(REGEX MATCH "0x([0-9a-f]+), 0x([0-9a-f]+)" ids "${model}")
  set(line "SUBSYSTEM==\"hidraw\", KERNEL==\"hidraw*\", ATTRS{idVendor}==\"${CMAKE_MATCH_1}\", \
ATTRS{idProduct}==\"${CMAKE_MATCH_2}\", TAG+=\"uaccess\"")
  list(FIND rules "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the udev rule lacks\n  ${line}\nit has:\n  ${rules}")
  endif()
endforeach()

if(NOT GUI)
  return()
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
