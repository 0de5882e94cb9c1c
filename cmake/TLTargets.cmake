# Target helpers shared by every folder. tl_library / tl_program / tl_test give the project's own
# targets one set of warnings and include paths; the Windows build adds Unicode and the Wine runner.

if(WIN32)
  set(TL_WINDOWS ON)
  # Line tables and function names only: enough for a backtrace under Wine, and a fifth less compile
  # time than full debug information, which the shipped copies lose anyway.
  set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O2 -g1 -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 -g1 -DNDEBUG")
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run --build ${CMAKE_BINARY_DIR})
else()
  set(TL_WINDOWS OFF)
  option(TL_SANITIZE "Build the native code with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
  if(TL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  # With the libFuzzer targets, every library carries libFuzzer's coverage instrumentation; the tests
  # run with it too (the sanitizers' runtime answers its calls). scripts/build makes the native tree
  # so, and scripts/fuzz runs its targets: one tree serves the tests and the fuzzing.
  option(TL_FUZZ "Build the libFuzzer targets (clang only)" OFF)
  if(TL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      message(FATAL_ERROR "TL_FUZZ needs clang")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link
                        -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/tests/fuzz/coverage_ignorelist.txt)
  endif()
endif()

# The native tree links the system's GoogleTest. The Windows tree compiles it from its sources once
# and links it into every test program; its debug information would only make each of those links
# slower.
if(TL_WINDOWS)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(gtest_target gtest gtest_main gmock gmock_main)
    target_compile_options(${gtest_target} PRIVATE -g0)
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

function(tl_flags target)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Compile time. The sources of every target, tests included, compile in unity batches: names in a
# file's anonymous namespace share the batch with the target's other files, so they must differ (a
# file that cannot share a translation unit sets SKIP_UNITY_BUILD_INCLUSION). Keys and helpers that
# several test files need live in tests/support.
# The headers nearly every file includes are compiled once per tree, in two precompiled headers: one
# for the installer's code and one for the tests, which adds GoogleTest; every target reuses one of
# them, so its flags must stay those of tl_flags. TL_FAST_BUILD=OFF builds every file on its own,
# which shows a file that does not include what it uses.
option(TL_FAST_BUILD "Unity batches and shared precompiled headers" ON)
set(TL_PCH_HEADERS <algorithm> <cstdint> <functional> <map> <memory> <optional> <string> <string_view>
                   <utility> <vector>)
if(TL_WINDOWS)
  list(APPEND TL_PCH_HEADERS <windows.h>)
endif()
function(tl_pch_donor name)
  set(source ${CMAKE_BINARY_DIR}/pch/${name}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// The object that carries the precompiled header.\n")
  add_library(${name} OBJECT ${source})
  tl_flags(${name})
  target_precompile_headers(${name} PRIVATE ${ARGN})
endfunction()

# Test code compiles with lighter optimisation and less debug information; the code under test keeps
# the tree's flags. In the Windows tree, no debug information: nobody steps through a test under Wine,
# and it is a third of each test file's compile time. The native tree keeps the line tables, so that
# the sanitizers' reports name the test's lines, and does not optimise: under the sanitizers that
# halves a test file's compile time, and its tests still take seconds.
function(tl_test_code_flags target)
  if(TL_WINDOWS)
    target_compile_options(${target} PRIVATE -O1 -g0)
  else()
    target_compile_options(${target} PRIVATE -O0 -g1)
  endif()
endfunction()

if(TL_FAST_BUILD)
  tl_pch_donor(tl_pch ${TL_PCH_HEADERS})
  tl_pch_donor(tl_test_pch ${TL_PCH_HEADERS} <gtest/gtest.h>)
  target_link_libraries(tl_test_pch PRIVATE GTest::gtest)
  tl_test_code_flags(tl_test_pch)
endif()

# tl_defaults(target [TEST]): the project's flags and compile-time settings on any target.
function(tl_defaults target)
  tl_flags(${target})
  if(ARGV1 STREQUAL "TEST")
    tl_test_code_flags(${target})
  endif()
  if(NOT TL_FAST_BUILD)
    return()
  endif()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
  if(ARGV1 STREQUAL "TEST")
    target_precompile_headers(${target} REUSE_FROM tl_test_pch)
    # Behind the precompiled header, GCC 12 warns falsely of copies out of bounds or overflowing
    # inside std::string when a test builds an expected text from pieces of a given length.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow)
    endif()
  else()
    target_precompile_headers(${target} REUSE_FROM tl_pch)
  endif()
endfunction()

# tl_library(name [SHARED] SOURCES ... [DEPS ...])
function(tl_library name)
  cmake_parse_arguments(A "SHARED" "" "SOURCES;DEPS" ${ARGN})
  if(A_SHARED)
    add_library(${name} SHARED ${A_SOURCES})
    set_target_properties(${name} PROPERTIES PREFIX "")
  else()
    add_library(${name} STATIC ${A_SOURCES})
  endif()
  tl_defaults(${name})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# tl_program(name [GUI] SOURCES ... [DEPS ...]): a Windows program with a Unicode entry point.
function(tl_program name)
  cmake_parse_arguments(A "GUI" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  tl_defaults(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  if(TL_WINDOWS)
    target_link_options(${name} PRIVATE -municode $<$<BOOL:${A_GUI}>:-mwindows>)
  endif()
endfunction()

# tl_test(name SOURCES ... [DEPS ...] [TIMEOUT seconds] [LOCKS resource...] [ENVIRONMENT VAR=value...]
#         [SERIAL] [COST seconds]):
# one GoogleTest executable, run by ctest as one process. Every test has a time limit, so that a hang
# costs one test and not the run (the limit is generous: a loaded machine may be slow). Tests that
# share state of the Wine prefix name it in LOCKS, and ctest never runs two with the same lock at once:
#   tl_prefix_product  the product's registry keys, the installations record and the uninstall
#                      entries, the product's settings, and the installer mutex that Setup.exe takes;
#                      also the product's running main program and the Windows version of the prefix
# SERIAL tests restart the Wine session (wineboot -r), which ends every program of the prefix, so
# ctest runs them with nothing beside them in that prefix. COST is the test's usual time in seconds
# on a small machine, given for the long ones: ctest starts the costliest first, so that none of them
# is left running alone at the end of a run (ctest keeps measured times too, but a new tree has none).
# The Windows tree runs its tests in TL_WINE_PREFIXES Wine prefixes, which ctest hands out as
# resources (wine-prefixes.json in the tree) to the next test as each becomes free: each prefix has its
# own state, so a lock holds per prefix. A prefix has four slots: a test takes one, a test with a lock
# three (so beside it only a test without one runs there), a SERIAL test all four. scripts/wine-run
# runs a program in the prefix the test was given, and hands a Windows test's output to ctest once the
# test has ended (TL_WINE_OUTPUT_VIA_FILE). scripts/test makes the prefixes before the tests run.
set(TL_TEST_TIMEOUT 300 CACHE STRING "Seconds a test program may run before ctest ends it")
set(TL_WINE_PREFIXES 3 CACHE STRING "Wine prefixes the Windows tests are spread over")
if(TL_WINDOWS)
  set(prefixes "")
  math(EXPR last "${TL_WINE_PREFIXES} - 1")
  foreach(prefix RANGE ${last})
    list(APPEND prefixes "{\"id\": \"${prefix}\", \"slots\": 4}")
  endforeach()
  list(JOIN prefixes ", " prefixes)
  set(CTEST_RESOURCE_SPEC_FILE ${CMAKE_BINARY_DIR}/wine-prefixes.json)
  file(CONFIGURE OUTPUT ${CTEST_RESOURCE_SPEC_FILE}
       CONTENT "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine_prefixes\": [${prefixes}]}]}\n")
endif()
function(tl_test name)
  cmake_parse_arguments(A "SERIAL" "TIMEOUT;COST" "SOURCES;DEPS;LOCKS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  tl_defaults(${name} TEST)
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT ${TL_TEST_TIMEOUT})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
  if(A_COST)
    set_tests_properties(${name} PROPERTIES COST ${A_COST})
  endif()
  if(TL_WINDOWS)
    if(A_SERIAL)
      set(slots 4)
    elseif(A_LOCKS)
      set(slots 3)
    else()
      set(slots 1)
    endif()
    set_tests_properties(${name} PROPERTIES RESOURCE_GROUPS "wine_prefixes:${slots}")
    list(APPEND A_ENVIRONMENT TL_WINE_OUTPUT_VIA_FILE=1)
  else()
    if(A_LOCKS)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${A_LOCKS}")
    endif()
    if(A_SERIAL)
      set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
    endif()
  endif()
  if(A_ENVIRONMENT)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${A_ENVIRONMENT}")
  endif()
endfunction()

# tl_shipped_copy(VARIABLE target DESTINATION): the command that puts a built program or module
# where it ships, without its debug information. Wine reads a whole image into memory, debug sections
# included, so an unstripped Setup.exe alone would cost every run some 12 MB; the build tree keeps the
# copies with debug information for debugging.
function(tl_shipped_copy variable target destination)
  set(${variable} COMMAND ${CMAKE_OBJCOPY} --strip-debug $<TARGET_FILE:${target}> "${destination}" PARENT_SCOPE)
endfunction()

# tl_distribution_add(target FOLDER): copies a built program or module into the sample distribution,
# at the relative FOLDER ("Tunevault", "Tunevault/x64", "Support", ...).
function(tl_distribution_add target folder)
  set(destination "${CMAKE_BINARY_DIR}/distribution/${folder}")
  tl_shipped_copy(ship ${target} "${destination}/$<TARGET_FILE_NAME:${target}>")
  # A target of its own, so that the copy is made again whenever the folder is laid out anew,
  # not only when the program itself is rebuilt.
  add_custom_target(${target}_in_distribution
    COMMAND ${CMAKE_COMMAND} -E make_directory "${destination}"
    ${ship}
    DEPENDS ${target}
    VERBATIM)
  add_dependencies(sample_distribution ${target}_in_distribution)
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/TLVersionResource.cmake)
