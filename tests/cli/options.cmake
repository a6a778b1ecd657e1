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

# An unreadable script is a bad command line too.
run(2 --headless --script ${WORK}/no-such.script)
