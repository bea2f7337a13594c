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

# vtx_add_library(name SOURCES ... DEPS ...): a static project library whose
# headers are included as "platform/core/..." from the src folder.
function(vtx_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
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
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
