# Copies every file of SOURCE into DEST unless DEST already has it.
file(GLOB shipped "${SOURCE}/*")
file(MAKE_DIRECTORY "${DEST}")
foreach(path IN LISTS shipped)
  get_filename_component(name "${path}" NAME)
  if(NOT EXISTS "${DEST}/${name}")
    file(COPY "${path}" DESTINATION "${DEST}")
  endif()
endforeach()
