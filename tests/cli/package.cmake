# cpack -G DEB: the package holds the program, its content, the manual page,
# the desktop entry, the icon and its documents in Debian's places under
# /usr, and depends on the libraries the program links.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK}
  WORKING_DIRECTORY ${WORK} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
file(GLOB debs ${WORK}/*.deb)
if(NOT rc EQUAL 0 OR NOT debs)
  message(FATAL_ERROR "cpack -G DEB failed (${rc}):\n${out}\n${err}")
endif()
list(GET debs 0 deb)

execute_process(COMMAND dpkg-deb --contents ${deb} OUTPUT_VARIABLE contents RESULT_VARIABLE rc)
foreach(f ./usr/games/zando2 ./usr/share/games/zando2/dat/enemy.dat ./usr/share/games/zando2/cg/title.bmp
          ./usr/share/man/man6/zando2.6.gz ./usr/share/applications/zando2.desktop
          ./usr/share/icons/hicolor/48x48/apps/zando2.png ./usr/share/metainfo/invalid.zando2.zando2.metainfo.xml
          ./usr/share/doc/zando2/copyright ./usr/share/doc/zando2/changelog.gz)
  string(FIND "${contents}" " ${f}\n" at)
  if(at LESS 0)
    message(FATAL_ERROR "${f} is not in the package:\n${contents}")
  endif()
endforeach()
if(contents MATCHES "z\\.wav\n")
  message(FATAL_ERROR "a save is in the package")
endif()

# The desktop entry names the program where the package puts it, not where
# the build would install it.
execute_process(COMMAND dpkg-deb -x ${deb} ${WORK}/root RESULT_VARIABLE rc)
file(STRINGS ${WORK}/root/usr/share/applications/zando2.desktop exec REGEX "^Exec=")
if(NOT rc EQUAL 0 OR NOT exec STREQUAL "Exec=/usr/games/zando2")
  message(FATAL_ERROR "the package's desktop entry does not start /usr/games/zando2: ${exec}")
endif()

execute_process(COMMAND dpkg-deb --field ${deb} Package Version Depends OUTPUT_VARIABLE fields)
foreach(want "Package: zando2" "Version: ${VERSION}" "libqt6widgets6" "libsdl2-mixer" "libc6")
  string(FIND "${fields}" "${want}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package's fields lack ${want}:\n${fields}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
