# Test helpers shared by every component.
#
# Test programs land in ${CMAKE_BINARY_DIR}/tests-bin; scripts/test runs every program there
# (natively, or under Wine for the MinGW tree) and sums their results.

set(DACTYRA_TEST_BIN_DIR ${CMAKE_BINARY_DIR}/tests-bin)

function(dactyra_add_googletest)
  set(gtest_src "")
  foreach(candidate IN ITEMS /usr/src/googletest ${DACTYRA_GOOGLETEST_DIR})
    if(EXISTS ${candidate}/CMakeLists.txt)
      set(gtest_src ${candidate})
    endif()
  endforeach()
  if(gtest_src STREQUAL "")
    find_package(GTest REQUIRED)
    return()
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${gtest_src} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endfunction()

# dactyra_add_test(<name> SOURCES <files...> LIBS <targets...>)
function(dactyra_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} dactyra_test_support GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DACTYRA_TEST_BIN_DIR})
  add_test(NAME ${name} COMMAND ${name})
endfunction()
