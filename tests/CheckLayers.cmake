cmake_minimum_required(VERSION 3.25)
# The direction of the includes, as the README's layout section writes it.
# Run by ctest as the test "layers"; fails naming every include that breaks
# a rule:
#
# * a plain file (outside every ui/ folder) includes no Qt Widgets header, no
#   file under ui/, and only its own folder or a folder of a lower tier;
# * a ui/ folder stands on its feature's tier: it includes its own feature
#   and the plain folders below it (and the picture decoders), never a
#   folder beside or above it; only app/ui, the frame, includes every folder;
# * a ui/ folder includes no other feature's ui/: only app/ui includes them
#   all, and platform/ui holds what every ui/ may share;
# * SDL2 is included by the joystick's own file alone.

# Plain folders from the bottom up; folders of one tier include none of each other.
set(tiers "dosnames" "platform" "settings" "catalogue" "context" "tools" "launch pictures"
          "gamelist maintenance" "app")
# Beside the tiers: the interpreter, the ZIP tools and the console list
# command (their own programs) and the picture decoders (their own library on
# Qt Gui). No tier includes them.
set(beside_batch dosnames platform)
set(beside_ziptools dosnames platform)
set(beside_makelist dosnames platform gamelist)
set(beside_imaging)

set(sdl_allowed "src/platform/SdlJoystick.cpp")

set(widget_headers)
foreach(dir ${WIDGETS_INCLUDES})
  if(dir MATCHES "QtWidgets$|QtPrintSupport$")
    file(GLOB names RELATIVE ${dir} ${dir}/Q*)
    list(APPEND widget_headers ${names})
  endif()
endforeach()
if(NOT widget_headers)
  message(FATAL_ERROR "no Qt Widgets headers found in: ${WIDGETS_INCLUDES}")
endif()

# What each plain folder may include besides itself.
set(folders)
set(below)
foreach(tier ${tiers})
  string(REPLACE " " ";" members "${tier}")
  foreach(folder ${members})
    set(allowed_${folder} ${below})
  endforeach()
  list(APPEND folders ${members})
  list(APPEND below ${members})
endforeach()
foreach(folder batch ziptools makelist imaging)
  set(allowed_${folder} ${beside_${folder}})
  list(APPEND folders ${folder})
endforeach()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(faults)
foreach(rel ${files})
  set(file "src/${rel}")
  string(REGEX MATCH "^[^/]+" own "${rel}")
  file(STRINGS ${SOURCE_DIR}/${rel} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(header MATCHES "^SDL" AND NOT file IN_LIST sdl_allowed)
      list(APPEND faults "${file}: ${header} (SDL2 only where the joystick is read)")
    endif()
    if(rel MATCHES "(^|/)ui/")
      # A window file: other features' ui/ only from the frame or platform/ui,
      # plain folders only of its feature's tier and below.
      if(own STREQUAL "app" OR target STREQUAL own OR NOT header MATCHES "/")
        continue()
      endif()
      if(header MATCHES "^[^/]+/ui/")
        if(NOT target STREQUAL "platform")
          list(APPEND faults "${file}: ${header} (another feature's window code)")
        endif()
      elseif(target IN_LIST folders AND NOT target IN_LIST allowed_${own}
             AND NOT target STREQUAL "imaging")
        list(APPEND faults "${file}: ${header} (${target} is no lower folder than ${own})")
      endif()
      continue()
    endif()
    string(REGEX REPLACE "^(QtWidgets|QtPrintSupport)/" "" bare "${header}")
    if(header MATCHES "(^|/)ui/" OR header MATCHES "^(QtWidgets|QtPrintSupport)/"
       OR bare IN_LIST widget_headers)
      list(APPEND faults "${file}: ${header} (window code in a plain file)")
    elseif(header MATCHES "/" AND target IN_LIST folders AND NOT target STREQUAL own
           AND NOT target IN_LIST allowed_${own})
      list(APPEND faults "${file}: ${header} (${target} is no lower folder than ${own})")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "includes against the layers:\n  ${text}")
endif()
message(STATUS "layers: every include points down")
