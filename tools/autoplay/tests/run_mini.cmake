# A short autoplay of floor 0 on a fresh copy of the mini fixture set, with
# the policy POLICY: the tool must finish with every run won, and its report
# must hold the floor-0 row with every run won, and the plot must be a PNG.
# With JOBS the same runs are played on that many workers too, and the
# report must be the same byte for byte.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${FIXTURES}/mini/ DESTINATION ${WORK}/root)
execute_process(COMMAND ${AUTOPLAY} --policy ${POLICY} --root ${WORK}/root --seed 1 --runs 2 --floors 0
                        --report ${WORK}/report.md --plot ${WORK}/plot.png
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 100)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zando2-autoplay exited with ${rc}\n${out}\n${err}")
endif()
if(JOBS)
  execute_process(COMMAND ${AUTOPLAY} --policy ${POLICY} --root ${WORK}/root --seed 1 --runs 2 --floors 0
                          --jobs ${JOBS} --report ${WORK}/report-jobs.md
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 100)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "zando2-autoplay --jobs ${JOBS} exited with ${rc}\n${out}\n${err}")
  endif()
  file(READ ${WORK}/report.md one)
  file(READ ${WORK}/report-jobs.md many)
  if(NOT one STREQUAL many)
    message(FATAL_ERROR "--jobs ${JOBS} wrote another report:\n${one}\n--- and ---\n${many}")
  endif()
endif()
file(READ ${WORK}/report.md report)
# | floor | runs | won | fights ... |
if(NOT report MATCHES "\n\\| 0 \\| 2 \\| 2 \\| ([0-9]+) \\[([0-9]+)\\.\\.([0-9]+)\\] \\| ([0-9.]+) ")
  message(FATAL_ERROR "no floor-0 row with both runs won in the report:\n${report}")
endif()
if(CMAKE_MATCH_1 LESS 1)
  message(FATAL_ERROR "floor 0 was won without a fight:\n${report}")
endif()
if(NOT report MATCHES "Runs that won every target: 2 of 2")
  message(FATAL_ERROR "the report's closing line is missing:\n${report}")
endif()
file(READ ${WORK}/plot.png head LIMIT 8 HEX)
if(NOT head STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "the plot is not a PNG")
endif()
