# Paints the skin a second time into OUT and compares every file with the build's copy in
# EXPECTED: the generator must give the same bytes on every run.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
string(REPLACE "," ";" names "${NAMES}")
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${GEN} ${OUT} ${names} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "skin-gen failed: ${rc}")
endif()
foreach(name IN LISTS names)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${EXPECTED}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} differs between two runs of skin-gen")
  endif()
endforeach()
