# Build helpers shared by every module.
#
#   relayon_native_test(NAME SOURCES ... [LIBS ...])   GoogleTest exe, Linux build only
#   relayon_wine_test(NAME SOURCES ... [LIBS ...])     GoogleTest exe, Windows build only, run under Wine
#   relayon_fuzz_target(NAME SOURCES ... [LIBS ...])   libFuzzer exe, fuzz build only; ctest runs it briefly
#   relayon_benchmark(NAME SOURCES ... [LIBS ...])     Google Benchmark exe, native build with RELAYON_BENCH
#   relayon_add_modules(DIR ...)                       add_subdirectory for each; a missing one is an error
#
# Portable libraries are plain add_library() calls; they must not include
# <windows.h> and build in both trees.

include_guard(GLOBAL)

set(RELAYON_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)
set(RELAYON_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzz target runs under ctest")

add_library(relayon_warnings INTERFACE)
target_compile_options(relayon_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_include_directories(relayon_warnings INTERFACE ${RELAYON_ROOT}/src)

if(WIN32)
  # Unicode W APIs everywhere; Windows 7 API level.
  target_compile_definitions(relayon_warnings INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

if(RELAYON_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(RELAYON_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  if(NOT TARGET fuzz_all)
    add_custom_target(fuzz_all)
  endif()
endif()

# GoogleTest from Debian's sources, built for whichever target this tree is.
if(NOT TARGET gtest AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# A listed module without a CMakeLists.txt is a misspelling or a lost
# directory; skipping it quietly would drop its code and tests from every
# build without a word.
function(relayon_add_modules)
  foreach(dir IN LISTS ARGN)
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "Module '${dir}' is listed in ${CMAKE_CURRENT_LIST_FILE} "
                          "but ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt does not exist")
    endif()
    add_subdirectory(${dir})
  endforeach()
endfunction()

function(_relayon_parse_args)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  set(ARG_SOURCES ${ARG_SOURCES} PARENT_SCOPE)
  set(ARG_LIBS ${ARG_LIBS} PARENT_SCOPE)
  set(ARG_LABELS ${ARG_LABELS} PARENT_SCOPE)
endfunction()

function(relayon_native_test name)
  if(WIN32 OR RELAYON_FUZZ)
    return()
  endif()
  _relayon_parse_args(${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} relayon_warnings gtest_main gmock)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "native;${ARG_LABELS}" TIMEOUT 300)
endfunction()

function(relayon_wine_test name)
  if(NOT WIN32)
    return()
  endif()
  _relayon_parse_args(${ARGN})
  # Console subsystem: a failed check prints instead of opening a dialog.
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} relayon_warnings gtest_main gmock)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "wine;${ARG_LABELS}" TIMEOUT 300)
endfunction()

function(relayon_fuzz_target name)
  if(NOT RELAYON_FUZZ)
    return()
  endif()
  _relayon_parse_args(${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} relayon_warnings)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_all ${name})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${RELAYON_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 ${corpus})
  set_tests_properties(${name} PROPERTIES LABELS "fuzz;${ARG_LABELS}" TIMEOUT 600)
endfunction()

function(relayon_benchmark name)
  if(WIN32 OR NOT RELAYON_BENCH)
    return()
  endif()
  _relayon_parse_args(${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} relayon_warnings benchmark::benchmark)
endfunction()

# Test directories shared by several people use file conventions instead of
# hand-kept lists:
#   *_test.cpp          one native GoogleTest executable per file
#   win32/*_test.cpp    one Wine GoogleTest executable per file
#   fuzz/*_fuzz.cpp     one libFuzzer target per file
#   support/*.cpp, win32/support/*.cpp   linked into every native / Wine test here
function(relayon_glob_tests prefix)
  cmake_parse_arguments(ARG "" "" "NATIVE_LIBS;WIN32_LIBS;FUZZ_LIBS;WIN32_SOURCES;WIN32_INCLUDES" ${ARGN})
  set(here ${CMAKE_CURRENT_SOURCE_DIR})
  file(GLOB native_tests CONFIGURE_DEPENDS ${here}/*_test.cpp)
  file(GLOB native_support CONFIGURE_DEPENDS ${here}/support/*.cpp)
  file(GLOB wine_tests CONFIGURE_DEPENDS ${here}/win32/*_test.cpp)
  file(GLOB wine_support CONFIGURE_DEPENDS ${here}/win32/support/*.cpp)
  file(GLOB fuzzers CONFIGURE_DEPENDS ${here}/fuzz/*_fuzz.cpp)
  foreach(src IN LISTS native_tests)
    get_filename_component(stem ${src} NAME_WE)
    relayon_native_test(${prefix}_${stem} SOURCES ${src} ${native_support} LIBS ${ARG_NATIVE_LIBS})
  endforeach()
  foreach(src IN LISTS wine_tests)
    get_filename_component(stem ${src} NAME_WE)
    relayon_wine_test(${prefix}_win32_${stem} SOURCES ${src} ${wine_support} ${ARG_WIN32_SOURCES} LIBS ${ARG_WIN32_LIBS})
    if(TARGET ${prefix}_win32_${stem} AND ARG_WIN32_INCLUDES)
      target_include_directories(${prefix}_win32_${stem} PRIVATE ${ARG_WIN32_INCLUDES})
    endif()
  endforeach()
  foreach(src IN LISTS fuzzers)
    get_filename_component(stem ${src} NAME_WE)
    relayon_fuzz_target(${prefix}_${stem} SOURCES ${src} LIBS ${ARG_FUZZ_LIBS})
  endforeach()
endfunction()

# A library from every .cpp of a directory (not recursive); an empty directory
# gives an interface library so that dependents still link.
function(relayon_glob_library name dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC relayon_warnings ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE relayon_warnings ${ARG_LIBS})
  endif()
endfunction()
