# The program's own command line: --help and --version answer with status 0
# without opening a window; mistakes stop with status 2 before anything runs.
function(run expect_rc)
  execute_process(COMMAND ${ZANDO2} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL expect_rc)
    message(FATAL_ERROR "zando2 ${ARGN}: status ${rc}, expected ${expect_rc}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run(0 --help)
foreach(name --root --headless --seed --script --debug-panel --answer --check-data --version
             --fast --zoom --fullscreen --mute)
  string(FIND "${out}" "${name}" at)
  if(at LESS 0)
    message(FATAL_ERROR "--help does not name ${name}:\n${out}")
  endif()
endforeach()

# The manual page is written from the same table: it names every option of
# --help, as an entry of its own.
file(READ ${MANPAGE} page)
string(REGEX MATCHALL "--[a-z-]+" named "${out}")
list(REMOVE_DUPLICATES named)
foreach(name IN LISTS named)
  string(REPLACE "-" "\\-" roff "${name}")
  string(FIND "${page}" ".TP\n\\fB${roff}\\fR" at)
  string(FIND "${page}" ", \\fB${roff}\\fR" short)
  if(at LESS 0 AND short LESS 0)
    message(FATAL_ERROR "the manual page ${MANPAGE} has no entry for ${name}")
  endif()
endforeach()

# The README quotes the help text whole, as an indented block that starts
# with its usage line: the two stay word for word the same.
file(READ ${README} readme)
string(FIND "${readme}" "    Usage: zando2" at)
if(at LESS 0)
  message(FATAL_ERROR "the README does not quote the help text")
endif()
string(SUBSTRING "${readme}" ${at} -1 readme)
# Semicolons would split CMake's list of lines: they travel as a stand-in.
string(REPLACE ";" "<semicolon>" readme "${readme}")
string(REPLACE "\n" ";" lines "${readme}")
set(quoted "")
foreach(line IN LISTS lines)
  if(line MATCHES "^    (.*)$")
    string(APPEND quoted "${CMAKE_MATCH_1}\n")
  elseif(line STREQUAL "")
    string(APPEND quoted "\n")
  else()
    break()
  endif()
endforeach()
string(REPLACE "<semicolon>" ";" quoted "${quoted}")
string(STRIP "${quoted}" quoted)
string(STRIP "${out}" help)
if(NOT quoted STREQUAL help)
  message(FATAL_ERROR "the README's copy of the help text differs from --help:\n--- README\n${quoted}\n--- --help\n${help}")
endif()

run(0 --version)
if(NOT out STREQUAL "zando2 ${VERSION}\n")
  message(FATAL_ERROR "--version printed '${out}', expected 'zando2 ${VERSION}'")
endif()

foreach(bad "--bogus" "--seed;x" "--answer;maybe" "--root" "stray")
  run(2 ${bad})
  if(NOT err MATCHES "^zando2: " OR NOT out STREQUAL "")
    message(FATAL_ERROR "zando2 ${bad}: expected one error on standard error, got\n${out}\n${err}")
  endif()
endforeach()

# The option is quoted as it was typed.
run(2 --bogus)
if(NOT err MATCHES "'--bogus'")
  message(FATAL_ERROR "zando2 --bogus does not quote --bogus:\n${err}")
endif()
run(2 -x)
if(NOT err MATCHES "'-x'")
  message(FATAL_ERROR "zando2 -x does not quote -x:\n${err}")
endif()

# An unreadable script is a bad command line too.
run(2 --headless --script ${WORK}/no-such.script)

# A wrong program folder stops both faces with one line that names it and
# what it lacks, before any window opens.
file(REMOVE_RECURSE ${WORK}/no-cg)
file(MAKE_DIRECTORY ${WORK}/no-cg/dat)
foreach(face "" "--headless")
  run(2 ${face} --root ${WORK}/no-such-folder)
  if(NOT err MATCHES "^zando2: the program folder [^\n]*no-such-folder does not exist")
    message(FATAL_ERROR "zando2 ${face} --root: expected one line naming the folder, got\n${err}")
  endif()
  run(2 ${face} --root ${WORK}/no-cg)
  if(NOT err MATCHES "no-cg has no cg/ folder")
    message(FATAL_ERROR "zando2 ${face} --root without cg/: got\n${err}")
  endif()
endforeach()

# A folder or a device is no script either: refused at once, not run as an empty one.
run(2 --headless --script ${CMAKE_CURRENT_LIST_DIR})
run(2 --headless --script /dev/zero)

# A program folder whose name is Shift-JIS bytes (日本), not UTF-8: found, and every
# data file and picture in it read (the check loads each picture).
execute_process(
  COMMAND sh -c "d=\"$1/$(printf '\\223\\372\\226\\173')\"; rm -rf \"$d\" && mkdir -p \"$d\" && cp -r \"$2\"/. \"$d\" && \"$3\" --check-data --root \"$d\"; rc=$?; rm -rf \"$d\"; exit $rc"
          sh ${WORK} ${GAME} ${ZANDO2}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "check-data: no problems found\n")
  message(FATAL_ERROR "--check-data in a Shift-JIS folder: status ${rc}\n${out}\n${err}")
endif()

# --saves lists the save and each backup, newest first, and names a damaged copy
# with its reason; it reads only, and says so with status 0.
set(hist ${WORK}/history)
file(REMOVE_RECURSE ${hist})
file(COPY ${GAME}/ DESTINATION ${hist})
file(REMOVE ${hist}/dat/z.wav)
file(WRITE ${WORK}/history.script "answer yes\nclick Button12\nclose\n")
run(0 --headless --root ${hist} --seed 1 --script ${WORK}/history.script)
file(MAKE_DIRECTORY ${hist}/dat/backups)
file(COPY_FILE ${hist}/dat/z.wav ${hist}/dat/backups/z.wav.2026-01-01_03-04-05)
file(COPY_FILE ${CMAKE_CURRENT_LIST_DIR}/../fixtures/saves/not_a_number.wav
     ${hist}/dat/backups/z.wav.2026-01-02_03-04-05)
run(0 --saves --root ${hist})
if(NOT out MATCHES "dat/z\\.wav  [0-9-]+ [0-9:]+  [^\n]+  LV 1  floor 0  play time 0:00\n[^\n]*backups/z\\.wav\\.2026-01-02_03-04-05  2026-01-02 03:04:05  damaged: [^\n]+\n[^\n]*backups/z\\.wav\\.2026-01-01_03-04-05  2026-01-01 03:04:05  [^\n]+  LV 1  floor 0  play time 0:00\n$")
  message(FATAL_ERROR "--saves on a folder with a damaged copy:\n${out}\n${err}")
endif()
file(REMOVE_RECURSE ${hist})
