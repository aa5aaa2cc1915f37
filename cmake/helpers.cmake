# add_unit_test(name SOURCES a.cpp ... LIBRARIES lib ...)
# A GoogleTest program. Natively it runs as it is; in the cross builds ctest
# runs it under Wine (the cross-compiling emulator: wine64 for x86_64, the
# 32-bit loader for i686). Discovery happens when the tests run, so building
# never starts Wine.
function(add_unit_test name)
  if(NOT BUILD_TESTING)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main project_options)
  set(labels ${ARG_LABELS})
  if(NOT labels)
    if(WIN32)
      set(labels wine)
    else()
      set(labels unit)
    endif()
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS "${labels}")
endfunction()

# place_in_dist(target): the program lands in dist/win32 or dist/win64.
function(place_in_dist target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR}
    RUNTIME_OUTPUT_DIRECTORY_DEBUG ${DIST_DIR}
    RUNTIME_OUTPUT_DIRECTORY_RELEASE ${DIST_DIR})
endfunction()
