cmake_minimum_required(VERSION 3.25)
# Fails when a test source on disk is named in no list of tests/CMakeLists.txt,
# so a test file added beside others is never silently left unbuilt. Run by
# ctest as the test "test_sources".
file(READ ${TESTS_DIR}/CMakeLists.txt listed)
file(GLOB_RECURSE files RELATIVE ${TESTS_DIR} ${TESTS_DIR}/*.cpp)
set(unlisted)
foreach(file ${files})
  # The fuzz target is its own project, built with clang.
  if(file MATCHES "^imaging/fuzz/")
    continue()
  endif()
  string(FIND "${listed}" " ${file}" at)
  if(at EQUAL -1)
    list(APPEND unlisted ${file})
  endif()
endforeach()
if(unlisted)
  list(JOIN unlisted "\n  " text)
  message(FATAL_ERROR "test sources in no list of tests/CMakeLists.txt:\n  ${text}")
endif()
message(STATUS "test_sources: every test source is listed")
