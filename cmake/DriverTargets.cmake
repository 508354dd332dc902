# Helpers shared by every folder of the project.

# driver_dll(<target> OUTPUT_NAME <name> DEF <file> [SOURCES ...] [LIBS ...] [RESOURCE_ONLY])
# A driver library: a Windows DLL whose exports are exactly the names of its
# .def file and whose imports are system libraries only.
function(driver_dll target)
  cmake_parse_arguments(A "RESOURCE_ONLY" "OUTPUT_NAME;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${target} SHARED ${A_SOURCES} ${A_DEF})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${A_OUTPUT_NAME} SUFFIX ".DLL")
  target_link_options(${target} PRIVATE -Wl,--exclude-all-symbols -Wl,--enable-stdcall-fixup)
  if(A_RESOURCE_ONLY)
    target_link_options(${target} PRIVATE -nostdlib -Wl,-e,0)
    set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
  endif()
  if(A_LIBS)
    target_link_libraries(${target} PRIVATE ${A_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY DRIVER_DLLS ${target})
  set_property(GLOBAL APPEND PROPERTY DRIVER_DEFS ${A_DEF})
endfunction()

# driver_test(<name> SOURCES ... [LIBS ...] [PURE])
# A GoogleTest program.  PURE tests need no Windows interface: they are built
# natively (under the sanitizers) as well as for Windows.  Windows test
# programs of the x64 build run under Wine; the x86 build only links them.
function(driver_test name)
  cmake_parse_arguments(A "PURE" "" "SOURCES;LIBS" ${ARGN})
  if((NOT DRIVER_WINDOWS AND NOT A_PURE) OR DRIVER_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} driver_test_support gtest gtest_main)
  if(NOT DRIVER_WINDOWS)
    add_test(NAME ${name} COMMAND ${name})
  elseif(DRIVER_ARCH STREQUAL "x64")
    add_test(NAME ${name}
             COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh ${CMAKE_BINARY_DIR}
                     $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
  endif()
endfunction()
