# Runs one headless script against a fresh copy of a fixture set and compares
# the transcript with <script>.expected.
#   first script line "# fixture: NAME" picks the set (default: mini);
#   "# seed: N" the seed (default 1). Pictures come from the game's cg/ when
#   the set has none.
file(STRINGS ${SCRIPT} head LIMIT_COUNT 5)
set(fixture mini)
set(seed 1)
foreach(l ${head})
  if(l MATCHES "^# fixture: *(.+)$")
    set(fixture ${CMAKE_MATCH_1})
  elseif(l MATCHES "^# seed: *([0-9]+)$")
    set(seed ${CMAKE_MATCH_1})
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${FIXTURES}/${fixture}/ DESTINATION ${WORK})
if(NOT EXISTS ${WORK}/cg AND EXISTS ${GAME}/cg)
  file(COPY ${GAME}/cg DESTINATION ${WORK})
endif()
execute_process(COMMAND ${ZANDO2} --headless --root ${WORK} --seed ${seed} --script ${SCRIPT}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
string(REGEX REPLACE "\\.script$" ".expected" expected_file ${SCRIPT})
file(WRITE ${WORK}/transcript.txt "${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zando2 exited with ${rc}\n${err}")
endif()
file(READ ${expected_file} expected)
string(REPLACE "@ROOT@" "${WORK}/" expected "${expected}")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "transcript differs from ${expected_file}; see ${WORK}/transcript.txt\n--- got ---\n${out}")
endif()
