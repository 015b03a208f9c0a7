cmake_minimum_required(VERSION 3.25)
# The test "layers_check": the layers check run on copies of the source tree,
# each with one include added, must name exactly that include, or pass where
# the include is allowed. Without it a check that stopped looking at some
# files would pass for ever.
#
# Given: SOURCE_DIR (src), CHECK (CheckLayers.cmake), WORK_DIR (a folder for
# the copies) and WIDGETS_INCLUDES, as the test "layers" is given them.

# file | include added | what the check says, empty when it passes
set(cases
  "tools/ui/ToolCommands.cpp|app/StartupLogic.h|app is no lower folder than tools"
  "tools/ui/ToolCommands.cpp|gamelist/ui/GameListsPane.h|another feature's window code"
  "tools/DriveSearch.cpp|launch/LaunchPlan.h|launch is no lower folder than tools"
  "gamelist/ListFill.cpp|gamelist/ui/GameListsPane.h|window code in a plain file"
  "app/ui/TFMain.cpp|gamelist/ui/GameListsPane.h|")

string(RANDOM LENGTH 12 run)
set(copy "${WORK_DIR}/layers_check_${run}/src")
set(failures)
foreach(case ${cases})
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 file)
  list(GET fields 1 header)
  list(LENGTH fields count)
  set(expected "")
  if(count GREATER 2)
    list(GET fields 2 expected)
  endif()

  file(REMOVE_RECURSE "${copy}")
  file(COPY "${SOURCE_DIR}/" DESTINATION "${copy}")
  file(APPEND "${copy}/${file}" "#include \"${header}\"\n")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${copy} "-DWIDGETS_INCLUDES=${WIDGETS_INCLUDES}"
            -P ${CHECK}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)

  set(fault "src/${file}: ${header} (${expected})")
  if(expected STREQUAL "")
    if(NOT result EQUAL 0)
      list(APPEND failures "${file} + ${header}: refused, should pass:\n${out}")
    endif()
  elseif(result EQUAL 0)
    list(APPEND failures "${file} + ${header}: passed, should name the include")
  else()
    string(FIND "${out}" "${fault}" at)
    # The added include is the only fault: the tree itself is clean.
    string(REGEX MATCHALL "src/[^ \n]+: [^ \n]+ \\(" faults "${out}")
    list(LENGTH faults faultCount)
    if(at LESS 0 OR NOT faultCount EQUAL 1)
      list(APPEND failures "${file} + ${header}: expected only \"${fault}\", got:\n${out}")
    endif()
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK_DIR}/layers_check_${run}")

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "the layers check is wrong:\n${text}")
endif()
list(LENGTH cases n)
message(STATUS "layers_check: ${n} cases as expected")
