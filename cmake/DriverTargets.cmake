# Helpers shared by every folder of the project.

# driver_dll(<target> OUTPUT_NAME <name> DEF <file> [SOURCES ...] [LIBS ...] [RESOURCE_ONLY])
# A driver library: a Windows DLL whose exports are exactly the names of its
# .def file and whose imports are system libraries only.  A RESOURCE_ONLY
# library is built without the C run-time; its entry point is the shared
# DllInitialize, which only keeps the module handle.
function(driver_dll target)
  cmake_parse_arguments(A "RESOURCE_ONLY" "OUTPUT_NAME;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${target} SHARED ${A_SOURCES} ${A_DEF})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${A_OUTPUT_NAME} SUFFIX ".DLL")
  target_link_options(${target} PRIVATE -Wl,--exclude-all-symbols -Wl,--enable-stdcall-fixup)
  if(A_RESOURCE_ONLY)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/common/win/resource_library_entry.c)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      target_link_options(${target} PRIVATE -nostdlib -Wl,-e,DllInitialize)
    else()
      target_link_options(${target} PRIVATE -nostdlib -Wl,-e,_DllInitialize@12)
    endif()
    set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
  endif()
  if(A_LIBS)
    target_link_libraries(${target} PRIVATE ${A_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY DRIVER_DLLS ${target})
  set_property(GLOBAL APPEND PROPERTY DRIVER_DEFS ${A_DEF})
endfunction()

# driver_test(<name> SOURCES ... [LIBS ...] [PURE] [LAUNCHER command...])
# A GoogleTest program.  PURE tests need no Windows interface: they are built
# natively (under the sanitizers) as well as for Windows.  Windows test
# programs of the x64 build run under Wine; the x86 build does not make them.
# A LAUNCHER command runs the Windows test program (the Wine runner and its
# arguments follow it), e.g. to start peers the test talks to.
function(driver_test name)
  cmake_parse_arguments(A "PURE" "" "SOURCES;LIBS;LAUNCHER" ${ARGN})
  if((NOT DRIVER_WINDOWS AND NOT A_PURE) OR DRIVER_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} driver_test_support gtest gtest_main)
  # The test programs' precompiled headers (tests/support/test_prelude.h,
  # and test_prelude_win.h for programs that use the Windows interface),
  # each made once per tree with the flags every test program has and
  # reused by each of them.
  if(A_PURE)
    set(prelude driver_test_prelude)
  else()
    set(prelude driver_test_prelude_win)
  endif()
  if(NOT TARGET ${prelude})
    if(A_PURE)
      set(prelude_source ${PROJECT_SOURCE_DIR}/tests/support/test_prelude)
    else()
      set(prelude_source ${PROJECT_SOURCE_DIR}/tests/support/test_prelude_win)
    endif()
    add_library(${prelude} OBJECT ${prelude_source}.cpp)
    target_link_libraries(${prelude} PRIVATE driver_test_support)
    target_precompile_headers(${prelude} PRIVATE ${prelude_source}.h)
    if(NOT DRIVER_WINDOWS)
      target_compile_options(${prelude} PRIVATE -O1)
    endif()
  endif()
  target_precompile_headers(${name} REUSE_FROM ${prelude})
  if(NOT DRIVER_WINDOWS)
    # Under the sanitizers, optimising the tests' own code (the expanded
    # assertions) took about a third of each test source's compile time; the
    # code under test keeps the build type's optimisation.  The precompiled
    # header is made with the same level, as it must be.
    target_compile_options(${name} PRIVATE -O1)
  endif()
  # Read from a precompiled header, the standard library's inlined string
  # and memory copies are no longer known as system code, and the compilers
  # take them for out-of-bounds accesses, overflows and overlaps of the
  # test's own.  The libraries keep these warnings.
  target_compile_options(${name} PRIVATE -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread
                                         -Wno-restrict)
  if(NOT DRIVER_WINDOWS)
    add_test(NAME ${name} COMMAND ${name})
  elseif(DRIVER_ARCH STREQUAL "x64")
    add_test(NAME ${name}
             COMMAND ${A_LAUNCHER} ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh ${CMAKE_BINARY_DIR}
                     $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
    # Programs that run sheets and modal dialogs on the shared display take
    # turns: two of them at once have been seen to wait on each other.
    if(name MATCHES "(dialog|dialogs|sheet|window|exports|excel|skeleton|framework|result|preview)(_[a-z0-9]+)*_win_test$")
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_dialogs)
    endif()
    # So do the programs that open property pages through the dialog kit
    # under names the pattern above misses.
    if(name MATCHES "^(finishing_sheets|device_sheets|color_detail_pages|easy_set_area|easy_set_job|user_side_data)_win_test$")
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_dialogs)
    endif()
  endif()
endfunction()

# driver_library_preludes()
# In the Windows trees, every library and program of the project's own that
# compiles C++ (the test programs excepted: they have their own prelude)
# begins with one precompiled header of the Windows interface
# (common/win/library_prelude_win.h), made once per tree: parsing the Windows headers took about as long as
# compiling a typical source file itself.  A source still includes what it
# uses itself.  Call it once, after every folder has been added.
function(driver_library_preludes)
  if(NOT DRIVER_WINDOWS)
    return()
  endif()
  set(prelude driver_library_prelude_win)
  add_library(${prelude} OBJECT ${PROJECT_SOURCE_DIR}/common/win/library_prelude_win.cpp)
  target_precompile_headers(${prelude} PRIVATE ${PROJECT_SOURCE_DIR}/common/win/library_prelude_win.h)
  set(dirs ${PROJECT_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$" OR target STREQUAL prelude)
        continue()
      endif()
      get_target_property(source_dir ${target} SOURCE_DIR)
      if(NOT source_dir MATCHES "^${PROJECT_SOURCE_DIR}(/|$)")
        continue()
      endif()
      get_target_property(own ${target} PRECOMPILE_HEADERS)
      get_target_property(reused ${target} PRECOMPILE_HEADERS_REUSE_FROM)
      if(own OR reused)
        continue()
      endif()
      get_target_property(sources ${target} SOURCES)
      if(NOT sources MATCHES "\\.cpp(;|$)")
        continue()
      endif()
      # A header compiled for other processor instructions cannot be used.
      get_target_property(options ${target} COMPILE_OPTIONS)
      if(options MATCHES "(^|;)-m")
        continue()
      endif()
      target_precompile_headers(${target} REUSE_FROM ${prelude})
    endforeach()
  endwhile()
endfunction()
