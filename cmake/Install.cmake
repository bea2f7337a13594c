# Where things go when installed (GNUInstallDirs, relative to the prefix),
# and the helpers that the install rules in packaging/ use.
#
#   bin/vtxss                         the tool
#   lib/libvtx_core.so, libvtx_host.so, vtxssmodule.so
#   include/vtxss/...                 the headers of the exported interfaces
#   lib/cmake/vtxss/                  the CMake package (find_package(vtxss))
#   share/vtxss/library, install      the sample library and installation folder
#   share/doc/vtxss/                  docs/
#   share/man/man1/vtxss*.1           a manual page per command
#   share/bash-completion/completions/vtxss

set(VTX_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/vtxss")
set(VTX_INSTALL_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}/vtxss")
set(VTX_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/vtxss")

# The data folder as seen from the installed tool's folder ("../share/vtxss"
# for the usual layout): the tool finds its sample library through it,
# wherever the tree was installed or unpacked.
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_BINDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           OUTPUT_VARIABLE _vtx_bindir)
cmake_path(ABSOLUTE_PATH VTX_INSTALL_DATADIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           OUTPUT_VARIABLE _vtx_datadir)
file(RELATIVE_PATH VTX_DATA_FROM_BIN "${_vtx_bindir}" "${_vtx_datadir}")

# vtx_install_rpath(target...): the installed programs and libraries find the
# project's shared libraries relative to themselves ($ORIGIN), so an
# installed tree runs from any prefix and from an unpacked package.
function(vtx_install_rpath)
  cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_LIBDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
             OUTPUT_VARIABLE libdir)
  file(RELATIVE_PATH lib_from_bin "${_vtx_bindir}" "${libdir}")
  foreach(target IN LISTS ARGN)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${lib_from_bin}")
    else()
      set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
    endif()
  endforeach()
endfunction()

# vtx_header_closure(OUT root...): the root headers (paths relative to src/)
# and every project header they include, directly or not. Includes are
# written relative to src/ ("platform/core/VtxString.h") or to the including
# header's folder.
function(vtx_header_closure out)
  set(src "${PROJECT_SOURCE_DIR}/src")
  set(todo ${ARGN})
  set(done "")
  while(todo)
    list(POP_FRONT todo header)
    if(header IN_LIST done)
      continue()
    endif()
    if(NOT EXISTS "${src}/${header}")
      message(FATAL_ERROR "public header src/${header} does not exist")
    endif()
    list(APPEND done "${header}")
    file(STRINGS "${src}/${header}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    cmake_path(GET header PARENT_PATH folder)
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" name "${line}")
      if(folder AND EXISTS "${src}/${folder}/${name}")
        cmake_path(APPEND folder "${name}" OUTPUT_VARIABLE found)
        cmake_path(NORMAL_PATH found)
      elseif(EXISTS "${src}/${name}")
        set(found "${name}")
      else()
        message(FATAL_ERROR "src/${header} includes \"${name}\", which is not in src/")
      endif()
      list(APPEND todo "${found}")
    endforeach()
  endwhile()
  list(SORT done)
  set(${out} "${done}" PARENT_SCOPE)
endfunction()
