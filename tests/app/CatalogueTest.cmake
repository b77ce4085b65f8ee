# The translation catalogues are in step with the code: lupdate reads src/ into a copy of each
# and must find no text that is new (unfinished, to be translated) or gone (vanished).
#   -DLUPDATE=<lupdate> -DSOURCES=<src> "-DOPTIONS=<lupdate options>" "-DCATALOGUES=<a.ts;...>"
#   -DOUT=<scratch folder>

file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
foreach(catalogue IN LISTS CATALOGUES)
  get_filename_component(name "${catalogue}" NAME)
  file(COPY_FILE "${catalogue}" "${OUT}/${name}")
  execute_process(COMMAND "${LUPDATE}" ${OPTIONS} "${SOURCES}" -ts "${OUT}/${name}"
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}: ${err}")
  endif()
  file(STRINGS "${OUT}/${name}" lines)
  set(stale "")
  set(source "")
  foreach(line IN LISTS lines)
    if(line MATCHES "<source>(.*)</source>")
      set(source "${CMAKE_MATCH_1}")
    elseif(line MATCHES "type=\"(unfinished|vanished|obsolete)\"")
      string(APPEND stale "\n  \"${source}\" is ${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(NOT stale STREQUAL "")
    message(FATAL_ERROR "${name} is not in step with the code:${stale}\n"
                        "Run the quavelo_lupdate target and translate the new texts.")
  endif()
endforeach()
