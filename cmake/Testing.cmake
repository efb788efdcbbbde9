# Test helpers shared by every folder under tests/.
#
# tonmill_gtest(NAME SOURCES a.cpp ... LIBS lib ... [TIMEOUT s])
#   Native build: a GoogleTest program whose cases are registered one by one.
#   Windows build: a GoogleTest program run as one CTest test under Wine
#   (through the cross-compiling emulator scripts/wine-run.sh).

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(TONMILL_TESTS OR TONMILL_BENCH)
  if(TONMILL_WIN32)
    add_subdirectory(${PROJECT_SOURCE_DIR}/cmake/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  elseif(TONMILL_TESTS)
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()
endif()

if(TONMILL_WIN32)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
endif()

function(tonmill_gtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(TONMILL_WIN32)
    # The runner's own limit ends the program first, so its output is kept.
    math(EXPR ctest_timeout "${T_TIMEOUT} + 30")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ctest_timeout} LABELS wine
      ENVIRONMENT "TONMILL_WINE_TIMEOUT=${T_TIMEOUT}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS native)
  endif()
endfunction()

# Runs the Windows test `target` once more at each of DPIS (120, 144 and 192
# unless named): the runner sets the prefix's LogPixels for the run and puts
# it back. SHOTS is where its pictures go (a Wine path), WINE_TIMEOUT the
# seconds a run may take.
function(tonmill_dpi_runs target)
  cmake_parse_arguments(ARG "" "SHOTS;WINE_TIMEOUT" "DPIS" ${ARGN})
  if(NOT ARG_DPIS)
    set(ARG_DPIS 120 144 192)
  endif()
  if(NOT ARG_WINE_TIMEOUT)
    set(ARG_WINE_TIMEOUT 120)
  endif()
  math(EXPR timeout "${ARG_WINE_TIMEOUT} + 60")
  set(env "TONMILL_WINE_TIMEOUT=${ARG_WINE_TIMEOUT}")
  if(ARG_SHOTS)
    string(APPEND env ";TONMILL_SHOTS=${ARG_SHOTS}")
  endif()
  foreach(dpi IN LISTS ARG_DPIS)
    add_test(NAME ${target}_${dpi}
      COMMAND bash ${PROJECT_SOURCE_DIR}/tests/wine/skin_dpi/run-at-dpi.sh ${dpi}
        $<TARGET_FILE:${target}>)
    set_tests_properties(${target}_${dpi} PROPERTIES TIMEOUT ${timeout} LABELS wine
      ENVIRONMENT "${env}")
  endforeach()
endfunction()
