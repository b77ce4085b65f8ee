# quavelo_write_udev_rule(PROFILES <ModelProfile.cpp> TEMPLATE <rules.in> OUTPUT <rules file>)
# writes the udev rule for every model of the model table, so that the USB ids are kept in one
# place. Each profile in PROFILES names its model on a line `.name = "NAME",` and gives its ids
# after it on one line `.usb = {0xVVVV, 0xPPPP},`.
#
# In TEMPLATE, @QUAVELO_UDEV_MODELS@ is replaced by the models and their ids ("A (vvvv:pppp) and
# B (vvvv:pppp)"); a line holding @QUAVELO_UDEV_VENDOR@ and @QUAVELO_UDEV_PRODUCT@ is written once
# per model, with the ids in lower-case hex as sysfs shows them. Comment lines longer than 100
# columns are wrapped. The output is only rewritten when its content changes.
#
# Works in script mode too (cmake -P), which the tests use.

function(quavelo_write_udev_rule)
  cmake_parse_arguments(ARG "" "PROFILES;TEMPLATE;OUTPUT" "" ${ARGN})

  # The models, in table order: names and lower-case ids.
  set(names)
  set(vendors)
  set(products)
  set(name "")
  set(hex4 "[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]")
  file(STRINGS "${ARG_PROFILES}" lines REGEX "^[ \t]*\\.(name|usb)[ \t]*=")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*\\.name[ \t]*=[ \t]*\"([^\"]+)\"")
      set(name "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^[ \t]*\\.usb[ \t]*=[ \t]*{[ \t]*0[xX](${hex4})[ \t]*,[ \t]*0[xX](${hex4})[ \t]*}")
      if(name STREQUAL "")
        message(FATAL_ERROR "${ARG_PROFILES}: USB ids without a `.name = \"...\",` line before "
                            "them: ${line}")
      endif()
      string(TOLOWER "${CMAKE_MATCH_1}" vendor)
      string(TOLOWER "${CMAKE_MATCH_2}" product)
      list(APPEND names "${name}")
      list(APPEND vendors "${vendor}")
      list(APPEND products "${product}")
      set(name "")
    elseif(line MATCHES "^[ \t]*\\.usb")
      string(STRIP "${line}" line)
      message(FATAL_ERROR "${ARG_PROFILES}: cannot read the USB ids from `${line}`; write them on "
                          "one line as `.usb = {0xVVVV, 0xPPPP},`")
    endif()
  endforeach()
  list(LENGTH names count)
  if(count EQUAL 0)
    message(FATAL_ERROR "${ARG_PROFILES}: no model's USB ids found (lines "
                        "`.usb = {0xVVVV, 0xPPPP},` after `.name = \"NAME\",`); the udev rule "
                        "cannot be written")
  endif()

  # "A (ids)", "A (ids) and B (ids)", "A (ids), B (ids) and C (ids)".
  set(QUAVELO_UDEV_MODELS "")
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    list(GET names ${i} n)
    list(GET vendors ${i} v)
    list(GET products ${i} p)
    if(i EQUAL 0)
      set(separator "")
    elseif(i EQUAL last)
      set(separator " and ")
    else()
      set(separator ", ")
    endif()
    string(APPEND QUAVELO_UDEV_MODELS "${separator}${n} (${v}:${p})")
  endforeach()

  # Line by line; file(STRINGS) keeps each line whole (the template holds no semicolons).
  file(STRINGS "${ARG_TEMPLATE}" template_lines)
  set(text "")
  foreach(template_line IN LISTS template_lines)
    if(template_line MATCHES "@QUAVELO_UDEV_VENDOR@")
      foreach(i RANGE ${last})
        list(GET vendors ${i} QUAVELO_UDEV_VENDOR)
        list(GET products ${i} QUAVELO_UDEV_PRODUCT)
        string(CONFIGURE "${template_line}" line @ONLY)
        string(APPEND text "${line}\n")
      endforeach()
      continue()
    endif()
    string(CONFIGURE "${template_line}" line @ONLY)
    string(LENGTH "${line}" length)
    if(NOT line MATCHES "^# " OR length LESS_EQUAL 100)
      string(APPEND text "${line}\n")
      continue()
    endif()
    # Greedy wrap of a long comment into lines of at most 100 columns, each starting "# ".
    string(SUBSTRING "${line}" 2 -1 words)
    string(REPLACE " " ";" words "${words}")
    set(out "#")
    foreach(word IN LISTS words)
      string(LENGTH "${out} ${word}" length)
      if(length GREATER 100 AND NOT out STREQUAL "#")
        string(APPEND text "${out}\n")
        set(out "#")
      endif()
      string(APPEND out " ${word}")
    endforeach()
    string(APPEND text "${out}\n")
  endforeach()

  file(CONFIGURE OUTPUT "${ARG_OUTPUT}" CONTENT "${text}" @ONLY)
endfunction()
