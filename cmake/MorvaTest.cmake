# morva_add_test(NAME SOURCES src... LIBS lib...)
# morva_add_test(NAME COMMAND command args...)
# One test executable (or a script), one CTest entry. Every test runs headless with its own
# home, configuration, runtime folder and fontconfig, so it never touches the user's.
find_package(GTest REQUIRED)

# Runtime folders stay short wherever the build folder lies: socket and lock paths are
# built from them. One folder per build folder, below /tmp.
string(MD5 morva_build_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${morva_build_hash}" 0 12 morva_build_hash)
set(MORVA_TEST_RUNTIME "/tmp/morva-test-${morva_build_hash}")

function(morva_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;COMMAND" ${ARGN})
  if(ARG_COMMAND)
    add_test(NAME ${name} COMMAND ${ARG_COMMAND})
  else()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/config;XDG_RUNTIME_DIR=${MORVA_TEST_RUNTIME}/${name};XDG_DATA_HOME=${home}/data;XDG_CACHE_HOME=${home}/cache;FONTCONFIG_FILE=${CMAKE_BINARY_DIR}/fonts/fonts.conf;MORVA_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data;MORVA_BIN=${CMAKE_BINARY_DIR}/bin"
    FIXTURES_REQUIRED test-home)
endfunction()

# Fresh private folders for every run.
if(NOT TEST morva-test-home)
  add_test(NAME morva-test-home COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/test-home ${MORVA_TEST_RUNTIME})
  set_tests_properties(morva-test-home PROPERTIES FIXTURES_SETUP test-home)
endif()
