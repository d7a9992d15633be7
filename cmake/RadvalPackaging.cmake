# Where `cmake --install` puts radval, and the packages CPack makes of that:
# a Debian package natively, a zip of the executable, README and licence for
# Windows. Both are reproducible: the same commit gives the same bytes in any
# folder at any time (see cmake/RadvalReproducible.cmake).
include(GNUInstallDirs)

if(WIN32)
  install(TARGETS radval RUNTIME DESTINATION .)
  install(FILES README.md LICENSE DESTINATION .)
else()
  find_program(RADVAL_GZIP gzip REQUIRED)
  # Compressed as Debian wants them: best compression, no name or time inside.
  foreach(pair "radval.1;radval.1.gz" "CHANGELOG;changelog.gz")
    list(GET pair 0 source)
    list(GET pair 1 compressed)
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${RADVAL_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/${source} > ${compressed}
      DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
  endforeach()
  add_custom_target(radval_compressed_docs DEPENDS radval.1.gz changelog.gz)
  # Built with radval, so that building radval alone is enough to install.
  add_dependencies(radval radval_compressed_docs)

  install(TARGETS radval RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/radval.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES README.md ${PROJECT_BINARY_DIR}/changelog.gz packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME radval)
  install(FILES completions/radval.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    RENAME radval)
  install(FILES completions/_radval DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
  install(FILES completions/radval.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
endif()

set(CPACK_PACKAGE_NAME radval)
set(CPACK_PACKAGE_VENDOR "radval developers")
set(CPACK_PACKAGE_CONTACT "radval developers <radval@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print a numeral of base 2, 4, 8 or 16 in decimal")
# The extended description, under the summary, shared with the RPM package:
# Debian wants its lines shorter than 80 columns, so each line of the file is
# one line of it.
file(READ ${PROJECT_SOURCE_DIR}/packaging/description RADVAL_PACKAGE_DESCRIPTION)
string(STRIP "${RADVAL_PACKAGE_DESCRIPTION}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The Windows executable is linked stripped; stripping it again would write
# a new time into its PE header.
if(NOT WIN32)
  set(CPACK_STRIP_FILES ON)
endif()

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME radval-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  if(CMAKE_CROSSCOMPILING)
    # radval is static, and dpkg-shlibdeps reads no other architecture.
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${RADVAL_DEBIAN_ARCHITECTURE})
  else()
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  endif()
endif()

include(CPack)

# The packaging tools in packaging/ are Python programs; without Python the
# build still makes radval and what CPack packs.
find_package(Python3 COMPONENTS Interpreter)

# The Windows installer: `cmake --build BUILD --target msi` makes it in BUILD.
find_program(RADVAL_WIXL wixl)
find_program(RADVAL_MSIBUILD msibuild)
if(WIN32 AND Python3_FOUND AND RADVAL_WIXL AND RADVAL_MSIBUILD)
  set(RADVAL_MSI ${PROJECT_BINARY_DIR}/radval-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR}.msi)
  add_custom_target(msi
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/packaging/msi $<TARGET_FILE:radval> ${PROJECT_SOURCE_DIR}
            ${PROJECT_VERSION} ${RADVAL_SOURCE_DATE_EPOCH} ${RADVAL_MSI}
    VERBATIM)
  add_dependencies(msi radval)
endif()

# The source tarball: `cmake --build BUILD --target tarball` makes it in BUILD.
if(NOT WIN32 AND Python3_FOUND)
  add_custom_target(tarball
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/packaging/tarball ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION}
            ${RADVAL_SOURCE_DATE_EPOCH} ${PROJECT_BINARY_DIR}/radval-${PROJECT_VERSION}.tar.gz
    VERBATIM)
endif()

# The RPM package: `cmake --build BUILD --target rpm` makes it in BUILD, from
# the same install tree as the Debian package.
find_program(RADVAL_RPMBUILD rpmbuild)
if(NOT WIN32 AND Python3_FOUND AND RADVAL_RPMBUILD)
  if(NOT RADVAL_RPM_ARCHITECTURE)
    set(RADVAL_RPM_ARCHITECTURE ${CMAKE_SYSTEM_PROCESSOR})
  endif()
  add_custom_target(rpm
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/packaging/rpm ${CMAKE_COMMAND} ${PROJECT_BINARY_DIR}
            ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION} ${RADVAL_RPM_ARCHITECTURE} ${CPACK_PACKAGE_DESCRIPTION_SUMMARY}
            ${CPACK_PACKAGE_CONTACT} ${RADVAL_SOURCE_DATE_EPOCH} ${PROJECT_BINARY_DIR}
    VERBATIM)
  add_dependencies(rpm radval)
endif()
