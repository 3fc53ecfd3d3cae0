# Test helpers: one GoogleTest program per module, each case registered with ctest.
include(GoogleTest)

if(WIN32)
  # Debian ships GoogleTest as sources; build them with the cross compiler.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

# selvar_add_test(NAME [SERIAL] [FIXTURE F] SOURCES ... LIBS ...): SERIAL for programs that read the screen or
# send real mouse input, which other tests' windows on the same display would disturb, or that change
# what every program in the prefix reads (the registered shared documents folder).
# FIXTURE names a ctest fixture that every case of the program waits for.
function(selvar_add_test name)
  cmake_parse_arguments(ARG "SERIAL" "FIXTURE" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  set(serial "")
  if(ARG_SERIAL)
    set(serial RUN_SERIAL TRUE)
  endif()
  set(fixture "")
  if(ARG_FIXTURE)
    set(fixture FIXTURES_REQUIRED ${ARG_FIXTURE})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    PROPERTIES TIMEOUT 300 ${serial} ${fixture})
endfunction()
