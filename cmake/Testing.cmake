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
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine
      ENVIRONMENT "TONMILL_WINE_TIMEOUT=${T_TIMEOUT}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS native)
  endif()
endfunction()
