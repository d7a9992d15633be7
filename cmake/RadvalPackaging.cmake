# Where `cmake --install` puts radval, and the packages CPack makes of that:
# a Debian package natively, a zip of the executable and README for Windows.
include(GNUInstallDirs)

if(WIN32)
  install(TARGETS radval RUNTIME DESTINATION .)
  install(FILES README.md DESTINATION .)
else()
  install(TARGETS radval RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES radval.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_PACKAGE_NAME radval)
set(CPACK_PACKAGE_VENDOR "radval developers")
set(CPACK_PACKAGE_CONTACT "radval developers <radval@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print a numeral of base 2, 4, 8 or 16 in decimal")
set(CPACK_PACKAGE_DESCRIPTION
  "radval converts a numeral in base 2, 4, 8 or 16 to decimal with deliberately 32-bit wrap-around arithmetic, prints it between two blank lines and waits for a key press.")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME radval-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
