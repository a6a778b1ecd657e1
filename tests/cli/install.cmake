# cmake --install into a fresh prefix: the program, its content, the manual
# page, the desktop entry, the icon and the package's documents land in
# Debian's places for a game; the installed game starts from its desktop
# entry, saves into the user's data folder ($XDG_DATA_HOME/zando2, made on
# demand) and leaves every installed file as it was.
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}\n${err}")
endif()

foreach(f games/zando2 share/games/zando2/dat/enemy.dat share/games/zando2/dat/item.dat
          share/games/zando2/cg/title.bmp share/man/man6/zando2.6.gz
          share/applications/zando2.desktop share/icons/hicolor/48x48/apps/zando2.png
          share/icons/hicolor/256x256/apps/zando2.png share/metainfo/invalid.zando2.zando2.metainfo.xml
          share/doc/zando2/copyright share/doc/zando2/changelog.gz)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "${f} was not installed")
  endif()
endforeach()
foreach(f share/games/zando2/dat/z.wav share/games/zando2/投稿.txt)
  if(EXISTS ${prefix}/${f})
    message(FATAL_ERROR "${f} is a player's file, not content, and was installed")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${prefix}/share/applications/zando2.desktop
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate objects:\n${out}${err}")
  endif()
endif()

# Every installed file with its checksum, before and after a game.
function(snapshot var)
  file(GLOB_RECURSE files LIST_DIRECTORIES true RELATIVE ${prefix} ${prefix}/*)
  list(SORT files)
  set(all "")
  foreach(f ${files})
    if(IS_DIRECTORY ${prefix}/${f})
      string(APPEND all "${f}/\n")
    else()
      file(SHA256 ${prefix}/${f} sum)
      string(APPEND all "${f} ${sum}\n")
    endif()
  endforeach()
  set(${var} "${all}" PARENT_SCOPE)
endfunction()
snapshot(before)

# The program as the desktop entry starts it.
file(STRINGS ${prefix}/share/applications/zando2.desktop exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=${prefix}/games/zando2")
  message(FATAL_ERROR "the desktop entry does not start the installed program: ${exec}")
endif()
string(REGEX REPLACE "^Exec=" "" program "${exec}")

set(data ${WORK}/xdg)
file(WRITE ${WORK}/play.script "answer yes\nclick Button12\nset cent 777\nclose\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${data} QT_QPA_PLATFORM=offscreen
          ${program} --headless --seed 5 --script ${WORK}/play.script
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR out MATCHES "error:")
  message(FATAL_ERROR "the installed game did not play (${rc}):\n${out}\n${err}")
endif()
if(NOT EXISTS ${data}/zando2/z.wav OR NOT EXISTS ${data}/zando2/投稿.txt)
  message(FATAL_ERROR "the save and the report are not in ${data}/zando2:\n${out}")
endif()
# A second run continues from the data folder's save.
file(WRITE ${WORK}/again.script "click Button11\nget cent\nquit\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${data} QT_QPA_PLATFORM=offscreen
          ${program} --headless --script ${WORK}/again.script
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT out MATCHES "cent=777\n")
  message(FATAL_ERROR "the installed game did not continue from its save:\n${out}\n${err}")
endif()

snapshot(after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the installed files changed:\n--- before\n${before}\n--- after\n${after}")
endif()
file(REMOVE_RECURSE ${WORK})
