# The Debian package: `cpack --config build/<preset>/CPackConfig.cmake` after
# a build makes vtxss_<version>_<arch>.deb with everything the install rules
# install, under /usr. scripts/package-check.sh builds, unpacks and runs it.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vtxss)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "vtxss developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "spreadsheets, connection standards and bills for steel detailing")
set(CPACK_PACKAGE_DESCRIPTION
    "The spreadsheet-and-dialogs module of a steel-detailing CAD family: the standards \
engine that fills connection macros from spreadsheets, the formula engine, bill \
output and export. Holds the command-line tool vtxss with its manual pages and bash \
completion, the module library with its headers and CMake package, a sample \
library and the documentation.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# The libraries it needs, as dpkg-shlibdeps finds them; without it, the
# ones of Debian 12 it is built on.
find_program(VTX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VTX_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1 (>= 3.0), libxlsxwriter4 (>= 1.1.5)")
  # sheet --import reads .xlsx and .ods with liborcus when the build has it.
  if(TARGET PkgConfig::VTX_ORCUS)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", liborcus-0.17-0 (>= 0.17)")
  endif()
  if(TARGET vtx_ui)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6widgets6 (>= 6.2)")
  endif()
endif()

include(CPack)
