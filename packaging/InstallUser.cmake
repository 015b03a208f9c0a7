# Runs inside `cmake --install`; the BRIVANEL_* variables are set by the
# install code in CMakeLists.txt. Only the files named here are written:
# whatever else sits in the program folder (definitions, lists, picture.dir,
# pictures) is the user's and stays as it is.

set(prefix "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "(.)/+$" "\\1" prefix "${prefix}")
set(share "${prefix}/share")
# ~/.local/share is only the default of XDG_DATA_HOME: when that is set, the
# desktop looks for entries and icons there, so a user installation goes there.
if(DEFINED ENV{HOME} AND DEFINED ENV{XDG_DATA_HOME})
  set(userPrefix "$ENV{HOME}/.local")
  string(REGEX REPLACE "(.)/+$" "\\1" userPrefix "${userPrefix}")
  set(xdgData "$ENV{XDG_DATA_HOME}")
  cmake_path(IS_ABSOLUTE xdgData xdgAbsolute)
  if(prefix STREQUAL userPrefix AND xdgAbsolute)
    string(REGEX REPLACE "(.)/+$" "\\1" share "${xdgData}")
  endif()
endif()
set(programDir "${share}/brivanel")
set(launcher "${prefix}/bin/brivanel")

file(INSTALL DESTINATION "${programDir}" TYPE PROGRAM FILES ${BRIVANEL_PROGRAMS})
# The ZIP work-alikes are one program that acts by the name it is started under.
foreach(name PKZIP.EXE PKUNZIP.EXE)
  file(INSTALL DESTINATION "${programDir}" TYPE PROGRAM RENAME ${name} FILES "${BRIVANEL_ZIP}")
endforeach()
file(INSTALL DESTINATION "${programDir}" TYPE FILE FILES "${BRIVANEL_README}")
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

# Debian's emulators that are installed get a ready definition and the
# launcher <ID>.EXE it calls them through, in a folder <ID> of the program
# folder, where the drive search finds it. A definition or launcher already
# there is the user's and stays as it is; only a launcher this installer
# wrote (its first comment says so) is written again.
foreach(emulator "MAME;mame;/usr/games/mame" "MEDNES;mednes;/usr/games/mednafen")
  list(GET emulator 0 id)
  list(GET emulator 1 definition)
  list(GET emulator 2 EMULATOR)
  if(NOT EXISTS "${EMULATOR}")
    continue()
  endif()
  set(target "$ENV{DESTDIR}${programDir}/${definition}.ini")
  file(GLOB existing "$ENV{DESTDIR}${programDir}/*.ini")
  set(present FALSE)
  foreach(file ${existing})
    get_filename_component(name "${file}" NAME)
    string(TOLOWER "${name}" name)
    if(name STREQUAL "${definition}.ini")
      set(present TRUE)
    endif()
  endforeach()
  if(NOT present)
    message(STATUS "Installing: ${target}")
    file(COPY "${BRIVANEL_PACKAGING}/emulators/${definition}.ini"
         DESTINATION "$ENV{DESTDIR}${programDir}")
  endif()
  set(launcher "$ENV{DESTDIR}${programDir}/${id}/${id}.EXE")
  set(ours TRUE)
  if(EXISTS "${launcher}")
    file(STRINGS "${launcher}" lines LIMIT_COUNT 2)
    if(NOT lines MATCHES "# Brivanel's launcher for ")
      set(ours FALSE)
    endif()
  endif()
  if(ours)
    brivanel_generate(emulators/${id}.EXE.in "${launcher}"
                      FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
