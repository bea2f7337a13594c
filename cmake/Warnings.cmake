# Project-wide warning and sanitizer settings, applied through one interface
# target that every project target links privately.
add_library(vtx_build_options INTERFACE)
target_compile_options(vtx_build_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
# GCC 12 at -O3 reports "literal" + std::string as an overlapping memcpy
# (-Wrestrict) inside libstdc++'s own string code; the warning is fixed in
# GCC 13 and says nothing about ours.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(vtx_build_options INTERFACE -Wno-restrict)
endif()
if(VTX_WERROR)
  target_compile_options(vtx_build_options INTERFACE -Werror)
endif()
if(VTX_SANITIZE)
  target_compile_options(vtx_build_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(vtx_build_options INTERFACE -fsanitize=address,undefined)
endif()

# vtx_unloadable(target): GCC binds the static variables of the C++
# library's inline functions that a shared library exports as "unique"
# symbols, and the dynamic linker never unmaps a library with such a symbol.
# Plain weak symbols let the module library be unloaded and loaded afresh.
function(vtx_unloadable target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
endfunction()

# vtx_add_library(name [SHARED] SOURCES ... DEPS ...): a project library whose
# headers are included as "platform/core/..." from the src folder; static
# unless SHARED. Every library is compiled with hidden visibility: only what
# carries an export macro of platform/Exports.h leaves a shared library, and
# the code that goes into the module library stays private to it.
function(vtx_add_library name)
  cmake_parse_arguments(ARG "SHARED" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  if(ARG_SHARED)
    add_library(${name} SHARED ${ARG_SOURCES})
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
  endif()
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                           VISIBILITY_INLINES_HIDDEN ON)
  vtx_unloadable(${name})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE vtx_build_options ${ARG_PRIVATE_DEPS})
endfunction()

# vtx_add_test(name SOURCES ... DEPS ...): one GoogleTest executable,
# registered with CTest; tests find their fixtures through VTX_TEST_DATA.
function(vtx_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main vtx_build_options)
  target_compile_definitions(${name} PRIVATE
    VTX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    VTX_SAMPLE_DIR="${PROJECT_SOURCE_DIR}/sample")
  # Parameterised tests are named by their name generators; NO_PRETTY_VALUES
  # keeps the printed parameter (a byte dump for a struct) out of the name.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
