# Installation and the Debian package.
include(GNUInstallDirs)

foreach(target lodo-cli lodo-calculator)
  if(TARGET ${target})
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/lodo-calculator.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lodo-calculator.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lodo-calculator-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME lodo-calculator.xml)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lodo-calculator/examples
        FILES_MATCHING PATTERN "*.lxl" PATTERN "*.lpl")
install(FILES ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/
        DESTINATION ${CMAKE_INSTALL_DOCDIR}
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png")

set(CPACK_PACKAGE_NAME "lodo-calculator")
set(CPACK_PACKAGE_VENDOR "Lodo Calculator developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Aerosol sampling line penetration calculator")
# A pre-release sorts before its release in Debian's order: 2.0.0~beta < 2.0.0.
if(LODO_VERSION_STAGE)
  string(TOLOWER "${LODO_VERSION_STAGE}" stage)
  set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}~${stage}")
else()
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
endif()
set(CPACK_PACKAGE_CONTACT "Lodo Calculator developers <lodo-calculator@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Desktop engineering calculator for aerosol sampling lines.\n Builds a sampling line component by component and computes the aerosol\n penetration per component and loss mechanism, for one particle size or a\n log-normal distribution, against the ANSI N13.1 limits.")
include(CPack)
