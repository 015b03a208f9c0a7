cmake_minimum_required(VERSION 3.25)
# Runs the decoders' fuzz target FUZZER for $BRIVANEL_FUZZ_SECONDS seconds
# (default 180) on a corpus seeded with pictures that ImageMagick, pstoedit and
# Inkscape write, in WORK_DIR. Fails when the fuzzer stops on a crash, a leak,
# undefined behaviour, a hang or too much memory; reproducers go to /tmp.
set(seconds "$ENV{BRIVANEL_FUZZ_SECONDS}")
if(NOT seconds)
  set(seconds 180)
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/corpus)

find_program(convert NAMES convert-im6.q16 convert REQUIRED)
execute_process(COMMAND ${convert} -size 23x17 plasma:fractal ${WORK_DIR}/seed.png
                COMMAND_ERROR_IS_FATAL ANY)
# The first byte of an input picks the decoder, as DecoderFuzz.cpp reads it
# (modulo 8; 8 stands for BMP's 0, which a CMake string cannot hold).
function(add_seed selector file)
  string(ASCII ${selector} byte)
  file(WRITE ${WORK_DIR}/selector "${byte}")
  get_filename_component(name ${file} NAME)
  execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${WORK_DIR}/selector ${file}
                  OUTPUT_FILE ${WORK_DIR}/corpus/seed-${selector}-${name}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
foreach(spec "8:BMP3:bmp" "8:BMP2:bmp2" "1:PCX:pcx" "2:JPEG:jpg" "3:TIFF:tif" "4:GIF:gif"
             "5:PNG:png")
  string(REPLACE ":" ";" parts "${spec}")
  list(GET parts 0 selector)
  list(GET parts 1 format)
  list(GET parts 2 extension)
  execute_process(COMMAND ${convert} ${WORK_DIR}/seed.png ${format}:${WORK_DIR}/s.${extension}
                  COMMAND_ERROR_IS_FATAL ANY)
  add_seed(${selector} ${WORK_DIR}/s.${extension})
endforeach()

# Metafiles from the programs the tests use, when they are there: pstoedit's
# EMF, Inkscape's WMF.
file(WRITE ${WORK_DIR}/m.ps "%!PS\n1 0 0 setrgbcolor 10 10 moveto 90 10 lineto 50 80 lineto \
closepath fill\n/Helvetica findfont 12 scalefont setfont 5 90 moveto (Ab) show showpage\n")
execute_process(COMMAND pstoedit -q -f emf:-OO ${WORK_DIR}/m.ps ${WORK_DIR}/m.emf
                OUTPUT_QUIET ERROR_QUIET)
file(WRITE ${WORK_DIR}/m.svg "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" \
height=\"30\"><rect x=\"2\" y=\"2\" width=\"20\" height=\"10\" fill=\"red\"/><text x=\"5\" \
y=\"25\">Ab</text></svg>")
execute_process(COMMAND inkscape ${WORK_DIR}/m.svg --export-type=wmf
                        --export-filename=${WORK_DIR}/m.wmf OUTPUT_QUIET ERROR_QUIET)
foreach(metafile "6:m.emf" "7:m.wmf")
  string(REPLACE ":" ";" parts "${metafile}")
  list(GET parts 0 selector)
  list(GET parts 1 name)
  if(EXISTS ${WORK_DIR}/${name})
    file(SIZE ${WORK_DIR}/${name} size)
    if(size GREATER 0)
      add_seed(${selector} ${WORK_DIR}/${name})
    endif()
  endif()
endforeach()

# Fontconfig's patterns, which Qt's font database keeps for the whole run
# (metafile text), are no leak of ours.
file(WRITE ${WORK_DIR}/lsan.supp "leak:libfontconfig.so\n")
set(ENV{LSAN_OPTIONS} "suppressions=${WORK_DIR}/lsan.supp")
set(ENV{QT_QPA_PLATFORM} offscreen)
# An input that takes the sanitised decoder over 10 s counts as a hang.
execute_process(
  COMMAND ${FUZZER} -max_total_time=${seconds} -max_len=65536 -rss_limit_mb=2048 -timeout=10
          -print_final_stats=1 -artifact_prefix=/tmp/brivanel-fuzz- ${WORK_DIR}/corpus
  RESULT_VARIABLE result
  OUTPUT_FILE ${WORK_DIR}/fuzz.log
  ERROR_FILE ${WORK_DIR}/fuzz.log)
file(STRINGS ${WORK_DIR}/fuzz.log summary
     REGEX "stat::number_of_executed_units|ERROR|SUMMARY|Done|runtime error")
list(JOIN summary "\n" text)
message("${text}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "fuzz_imaging: the fuzzer stopped (${result}); its log: ${WORK_DIR}/fuzz.log")
endif()
