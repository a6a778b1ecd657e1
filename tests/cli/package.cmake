# cpack -G DEB: the package holds the program, its content, the desktop entry
# and the icon under /usr, and depends on the libraries the program links.
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
foreach(f ./usr/bin/zando2 ./usr/share/zando2/dat/enemy.dat ./usr/share/zando2/cg/title.bmp
          ./usr/share/applications/zando2.desktop ./usr/share/icons/hicolor/48x48/apps/zando2.png)
  string(FIND "${contents}" " ${f}\n" at)
  if(at LESS 0)
    message(FATAL_ERROR "${f} is not in the package:\n${contents}")
  endif()
endforeach()
if(contents MATCHES "z\\.wav\n")
  message(FATAL_ERROR "a save is in the package")
endif()

execute_process(COMMAND dpkg-deb --field ${deb} Package Version Depends OUTPUT_VARIABLE fields)
foreach(want "Package: zando2" "Version: ${VERSION}" "libqt6widgets6" "libsdl2-mixer" "libc6")
  string(FIND "${fields}" "${want}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package's fields lack ${want}:\n${fields}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
