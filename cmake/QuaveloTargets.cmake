# Build settings shared by every target of the project.

# The warnings every target of ours compiles with; QUAVELO_WERROR (on by default) makes them
# errors. Also used by skin-gen, which does not link quavelo_options.
set(QUAVELO_WARNING_OPTIONS -Wall -Wextra -Wpedantic)
if(QUAVELO_WERROR)
  list(APPEND QUAVELO_WARNING_OPTIONS -Werror)
endif()

add_library(quavelo_options INTERFACE)
target_compile_options(quavelo_options INTERFACE ${QUAVELO_WARNING_OPTIONS})

if(QUAVELO_SANITIZE STREQUAL "address")
  target_compile_options(quavelo_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quavelo_options INTERFACE -fsanitize=address,undefined)
elseif(QUAVELO_SANITIZE STREQUAL "thread")
  target_compile_options(quavelo_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(quavelo_options INTERFACE -fsanitize=thread)
elseif(NOT QUAVELO_SANITIZE STREQUAL "")
  message(FATAL_ERROR "QUAVELO_SANITIZE must be empty, 'address' or 'thread'")
endif()

# The fuzz build instruments every library for libFuzzer's coverage and checks it with ASan and
# UBSan; the fuzz targets themselves link libFuzzer (fuzz/CMakeLists.txt).
if(QUAVELO_BUILD_FUZZ)
  target_compile_options(quavelo_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(quavelo_options INTERFACE -fsanitize=address,undefined)
endif()

# quavelo_library(<name> SOURCES ... [DEPENDS ...]) defines the library of one source folder,
# target quavelo_<name> with the alias quavelo::<name>, whose public headers are included as
# "<folder>/<Header>.h".
function(quavelo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(quavelo_${name} STATIC ${ARG_SOURCES})
  add_library(quavelo::${name} ALIAS quavelo_${name})
  target_include_directories(quavelo_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(quavelo_${name} PUBLIC quavelo_options ${ARG_DEPENDS})
endfunction()

# quavelo_test(<name> [QT] SOURCES ... DEPENDS ...) defines one GoogleTest executable, registered
# with CTest as one test (one process per suite keeps start-up costs, such as Qt's, to one per
# folder). With QT the suite runs under the Qt test main (tests/support): an offscreen
# QApplication exists for every test.
function(quavelo_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    set(test_main quavelo_qt_test_main)
  else()
    set(test_main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE quavelo_options GTest::gtest GTest::gmock ${test_main}
                                        ${ARG_DEPENDS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# quavelo_portable(<target>): the program keeps its presets and diary beside itself in the build
# tree: each build puts the marker file `portable` (link/DataDirectory.h) next to it, so `make
# run` writes into build/. Installing copies the program alone, and an installed one uses the
# user's data folder.
function(quavelo_portable target)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E touch $<TARGET_FILE_DIR:${target}>/portable
                     VERBATIM)
endfunction()
