# The shipped data files go beside the program. A file already there is the
# user's own data and is left alone.
set(VETRA_SHIPPED_DATA_DIR ${CMAKE_SOURCE_DIR}/resources/data)
add_custom_target(vetra_shipped_files ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${VETRA_SHIPPED_DATA_DIR} -DDEST=${VETRA_PROGRAM_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/copy_missing.cmake
  COMMENT "Shipped data files")

# The help pages, built into one help file beside the program.
qt_add_binary_resources(vetra_help ${CMAKE_SOURCE_DIR}/resources/help/help.qrc
  DESTINATION ${VETRA_PROGRAM_DIR}/VETRA32.CHM)
add_dependencies(vetra32 vetra_shipped_files vetra_help)
