# Installation: the program in bin; its help file and the shipped data files in
# share/vetra32, read-only, the seed of every user's own data folder; the
# desktop entry, the icon and the AppStream metainfo where desktops look.
include(GNUInstallDirs)
set(VETRA_APP_ID es.vetra32.Vetra32)
set(VETRA_INSTALLED_SHIPPED_DIR ${CMAKE_INSTALL_DATADIR}/vetra32)

# The program finds its share folder from its own bin folder, so that an
# installed tree can be moved whole.
file(RELATIVE_PATH VETRA_SHIPPED_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VETRA_INSTALLED_SHIPPED_DIR})
set_property(SOURCE platform/program_folder.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS VETRA_INSTALLED_SHIPPED_FOLDER="${VETRA_SHIPPED_FROM_BIN}")

install(TARGETS vetra32 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB VETRA_SHIPPED_DATA_FILES ${VETRA_SHIPPED_DATA_DIR}/*.VTR)
install(FILES ${VETRA_SHIPPED_DATA_FILES} ${VETRA_PROGRAM_DIR}/VETRA32.CHM
        DESTINATION ${VETRA_INSTALLED_SHIPPED_DIR})
install(FILES resources/linux/${VETRA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/linux/${VETRA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES resources/icons/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VETRA_APP_ID}.png)
endforeach()

# cpack -G DEB: a Debian package whose dependencies are the libraries the
# program links, plus the fonts that stand for the Windows ones.
set(CPACK_PACKAGE_NAME vetra32)
set(CPACK_PACKAGE_VENDOR Vetra32)
set(CPACK_PACKAGE_CONTACT "Vetra32 <vetra32@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reducción de apuestas múltiples de la quiniela")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
include(CPack)
