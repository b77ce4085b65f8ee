# The udev rule generator on made-up model tables: -DMODULE=<QuaveloUdevRule.cmake>
# -DTEMPLATE=<70-quavelo.rules.in> -DOUT=<scratch folder>. (The installed rule of the real table
# is checked by InstallTest.cmake.)

file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")

# generate(<name> <profiles text>): runs the generator in its own process; sets <name>_status,
# <name>_err and <name>_rule (the written file).
function(generate name profiles)
  file(WRITE "${OUT}/${name}.cpp" "${profiles}")
  file(WRITE "${OUT}/${name}.cmake"
       "include(\"${MODULE}\")\nquavelo_write_udev_rule(PROFILES \"${OUT}/${name}.cpp\" "
       "TEMPLATE \"${TEMPLATE}\" OUTPUT \"${OUT}/${name}.rules\")\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -P "${OUT}/${name}.cmake"
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  set(${name}_status "${status}" PARENT_SCOPE)
  set(${name}_err "${err}" PARENT_SCOPE)
  set(rule "")
  if(EXISTS "${OUT}/${name}.rules")
    file(READ "${OUT}/${name}.rules" rule)
  endif()
  set(${name}_rule "${rule}" PARENT_SCOPE)
endfunction()

# Three models, ids in either case: one line each in lower case, and the models listed in the
# comment, which stays within 100 columns.
generate(three "    .name = \"ALPHA\",\n    .cliName = \"alpha\",\n    .usb = {0x0F8C, 0x00aB},\n\
    .name = \"BETA\",\n    .usb = {0x1234, 0x0001},\n    .name = \"GAMMA\",\n\
    .usb = {0xABCD, 0xEF01},\n")
if(NOT three_status EQUAL 0)
  message(FATAL_ERROR "three models: ${three_err}")
endif()
string(REGEX MATCHALL "idVendor}==\"[0-9a-f]+\", ATTRS{idProduct}==\"[0-9a-f]+\"" ids "${three_rule}")
set(expected "idVendor}==\"0f8c\", ATTRS{idProduct}==\"00ab\""
             "idVendor}==\"1234\", ATTRS{idProduct}==\"0001\""
             "idVendor}==\"abcd\", ATTRS{idProduct}==\"ef01\"")
if(NOT ids STREQUAL expected)
  message(FATAL_ERROR "three models: ids ${ids}, expected ${expected}:\n${three_rule}")
endif()
string(REGEX REPLACE "\n# " " " comment "${three_rule}")
if(NOT comment MATCHES "ALPHA \\(0f8c:00ab\\), BETA \\(1234:0001\\) and GAMMA \\(abcd:ef01\\) micro")
  message(FATAL_ERROR "three models: the comment does not list them:\n${three_rule}")
endif()
file(STRINGS "${OUT}/three.rules" comments REGEX "^#")
foreach(line IN LISTS comments)
  string(LENGTH "${line}" length)
  if(length GREATER 100)
    message(FATAL_ERROR "three models: a comment line is over 100 columns:\n${three_rule}")
  endif()
endforeach()

# Tables the generator cannot read stop the configure step with the reason instead of writing a
# rule that opens nothing.
generate(none "const int kNoModels = 0;\n")
generate(split "    .name = \"ALPHA\",\n    .usb = {0x0F8C,\n            0x0046},\n")
generate(nameless "    .usb = {0x0F8C, 0x0046},\n")
foreach(case none split nameless)
  if(${case}_status EQUAL 0 OR NOT ${case}_err MATCHES "USB[ \t\n]+ids" OR EXISTS "${OUT}/${case}.rules")
    message(FATAL_ERROR "${case}: status ${${case}_status}, rule written: ${${case}_rule}\n"
                        "${${case}_err}")
  endif()
endforeach()
