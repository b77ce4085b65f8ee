# Runs the quavelo program as a user or a script would: -DQUAVELO=<program> -DOUT=<scratch folder>.

file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")

# run(<name> <expected exit status> ARGS...): runs the program without a display.
function(run name expected)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
            --unset=WAYLAND_DISPLAY ${QUAVELO} ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status STREQUAL "${expected}")
    message(FATAL_ERROR "${name}: exit status ${status}, expected ${expected}\n${out}\n${err}")
  endif()
  set(${name}_out "${out}" PARENT_SCOPE)
  set(${name}_err "${err}" PARENT_SCOPE)
endfunction()

function(expect_match name text pattern)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${name}: no match for '${pattern}' in:\n${text}")
  endif()
endfunction()

# How the command line is read is the options table's; here only what the program does with it.
run(help 0 --help)
run(unknown 2 --bogus)
expect_match(unknown "${unknown_err}" "bogus")

file(WRITE "${OUT}/short.bin" "not a store")
run(bad_store 2 --screenshot ${OUT}/none --sim-state ${OUT}/short.bin)
expect_match(bad_store "${bad_store_err}" "short.bin")
file(WRITE "${OUT}/a-file" "")
run(bad_data_dir 2 --screenshot ${OUT}/none --data-dir ${OUT}/a-file)
# Without a display the window cannot open: said plainly, not left to the window system.
run(no_display 1 --simulate)
expect_match(no_display "${no_display_err}" "no display")

# Screenshots without a display, with the store file and the wire trace of the run.
run(shots 0 --screenshot ${OUT}/shots --sim-state ${OUT}/store.bin --trace ${OUT}/wire.txt
    --data-dir ${OUT}/data)
foreach(name start torva kd4 simulated-device)
  set(png "${OUT}/shots/${name}.png")
  expect_match(shots "${shots_out}" "${png}")
  if(NOT EXISTS "${png}")
    message(FATAL_ERROR "shots: ${png} was not written")
  endif()
endforeach()
# expect_png_size(<file> <width and height as the PNG header's 8 bytes in hex> <what>)
function(expect_png_size png hex what)
  file(READ "${png}" size HEX OFFSET 16 LIMIT 8)
  if(NOT size STREQUAL "${hex}")
    message(FATAL_ERROR "${png} is not ${what}: ${size}")
  endif()
endfunction()
foreach(name start torva kd4)
  # The whole window, 1000 x 700.
  expect_png_size("${OUT}/shots/${name}.png" "000003e8000002bc" "1000 x 700")
endforeach()
file(SIZE "${OUT}/store.bin" store_size)
if(NOT store_size EQUAL 256)
  message(FATAL_ERROR "the store file holds ${store_size} bytes")
endif()
file(READ "${OUT}/wire.txt" wire)
expect_match(wire "${wire}" "[0-9]+\\.[0-9][0-9][0-9] W FF A0 00 00 0A 01")
file(GLOB logs "${OUT}/data/Log_*.txt")
if(NOT logs)
  message(FATAL_ERROR "no traffic log in the data directory")
endif()

# --scale 2: the same window drawn with two device pixels per pixel.
run(shots_2x 0 --screenshot ${OUT}/shots-2x --scale 2 --data-dir ${OUT}/data)
expect_png_size("${OUT}/shots-2x/start.png" "000007d000000578" "2000 x 1400")
