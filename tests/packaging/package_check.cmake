# Builds the Debian package into a temporary folder WORK from the build tree
# BUILD_DIR and checks what it holds: the program, its share folder, the
# desktop entry, icons and metainfo (validated), and its dependencies.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CPACK} -G DEB -B ${WORK} --config ${BUILD_DIR}/CPackConfig.cmake
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB deb ${WORK}/vetra32_*.deb)
if(status OR NOT deb)
  message(FATAL_ERROR "cpack failed (${status}):\n${out}")
endif()

execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
set(expected
  "-rwxr-xr-x [^\n]* ./usr/bin/vetra32\n"
  "-rw-r--r-- [^\n]* ./usr/share/vetra32/VETRA32.CHM\n"
  "-rw-r--r-- [^\n]* ./usr/share/applications/es.vetra32.Vetra32.desktop\n"
  "-rw-r--r-- [^\n]* ./usr/share/metainfo/es.vetra32.Vetra32.metainfo.xml\n")
foreach(name BASES DATOSGEN DIRECC EQUIPOS JORNADAS RED0101 RED0102 RED0103 RED0201)
  list(APPEND expected "-rw-r--r-- [^\n]* ./usr/share/vetra32/${name}.VTR\n")
endforeach()
foreach(size 16 32 48 256)
  list(APPEND expected " ./usr/share/icons/hicolor/${size}x${size}/apps/es.vetra32.Vetra32.png\n")
endforeach()
foreach(pattern IN LISTS expected)
  if(NOT listing MATCHES "${pattern}")
    message(FATAL_ERROR "The package lacks ${pattern}:\n${listing}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -f ${deb} Depends OUTPUT_VARIABLE depends COMMAND_ERROR_IS_FATAL ANY)
foreach(package fonts-liberation libqt6widgets6 libcurl4 libc6)
  if(NOT depends MATCHES "(^|, )${package}( |,|\n)")
    message(FATAL_ERROR "The package does not depend on ${package}: ${depends}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -x ${deb} ${WORK}/root COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND desktop-file-validate ${WORK}/root/usr/share/applications/es.vetra32.Vetra32.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(status OR out MATCHES "error|warning")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
execute_process(COMMAND appstreamcli validate --no-net ${WORK}/root/usr/share/metainfo/es.vetra32.Vetra32.metainfo.xml
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(status)
  message(FATAL_ERROR "appstreamcli validate: ${out}")
endif()
file(REMOVE_RECURSE ${WORK})
