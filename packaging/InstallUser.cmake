# Runs inside `cmake --install`, which scripts/install.sh points at a
# staging folder (DESTDIR) and tells the share folder it decided on
# (BRIVANEL_SHARE): this lays out the build's files, and writes the launcher
# and the desktop entry with the final paths in their text. The script then
# puts each file in place, keeping what the user has; the BRIVANEL_* CMake
# variables are set by the install code in CMakeLists.txt.
if(NOT DEFINED ENV{DESTDIR} OR NOT DEFINED ENV{BRIVANEL_SHARE})
  message(FATAL_ERROR "Install Brivanel with scripts/install.sh: it keeps the files you "
                      "changed, which this step alone cannot tell from its own.")
endif()
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(share "$ENV{BRIVANEL_SHARE}")
set(programDir "${share}/brivanel")
set(launcher "${prefix}/bin/brivanel")

file(INSTALL DESTINATION "${programDir}" TYPE PROGRAM FILES ${BRIVANEL_PROGRAMS})
# The ZIP work-alikes are one program that acts by the name it is started under.
foreach(name PKZIP.EXE PKUNZIP.EXE)
  file(INSTALL DESTINATION "${programDir}" TYPE PROGRAM RENAME ${name} FILES "${BRIVANEL_ZIP}")
endforeach()
# The picture shown for a game without one of its own; the demo's.
file(INSTALL DESTINATION "${programDir}" TYPE FILE FILES "${BRIVANEL_README}" "${BRIVANEL_NOIMAGE}")
if(CMAKE_INSTALL_DO_STRIP AND BRIVANEL_STRIP)
  foreach(name brivanel brivanel-batch brivanel-makelist PKZIP.EXE PKUNZIP.EXE)
    execute_process(COMMAND "${BRIVANEL_STRIP}" "$ENV{DESTDIR}${programDir}/${name}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()

file(INSTALL DESTINATION "${share}/icons/hicolor/scalable/apps" TYPE FILE
     FILES "${BRIVANEL_PACKAGING}/brivanel.svg")

# Generated in place rather than copied: their text holds the paths above.
function(brivanel_generate template destination)
  message(STATUS "Installing: $ENV{DESTDIR}${destination}")
  configure_file("${BRIVANEL_PACKAGING}/${template}" "$ENV{DESTDIR}${destination}" @ONLY
                 ${ARGN})
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "$ENV{DESTDIR}${destination}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

# The launcher is a POSIX shell script: the folder goes in single quotes.
string(REPLACE "'" "'\\''" quoted "${programDir}")
set(PROGRAM_DIR "'${quoted}'")
brivanel_generate(brivanel.in "${launcher}"
                  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                   WORLD_READ WORLD_EXECUTE)

# Exec takes a quoted argument with ", `, $ and \ escaped and % doubled; the
# value as a whole then escapes its backslashes once more.
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${launcher}")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
set(DESKTOP_EXEC "\"${exec}\"")
brivanel_generate(brivanel.desktop.in "${share}/applications/brivanel.desktop")
