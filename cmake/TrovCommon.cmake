# Compiler settings and helpers shared by every folder.

set(TROV_ROOT "${CMAKE_SOURCE_DIR}")

# Debug information: line tables only (-g1) where a configuration asks for
# debug information.  That is what a backtrace under Wine and a sanitizer
# report need to name files and lines.  Full type information (-g) makes
# the objects nearly three times larger (1.6 MB against 0.6 MB for a batch
# of the foundation) for the linker, the compiler cache and the disk to
# carry, at about the same compile time.
# TROV_DEBUG_LEVEL=2 for a session in a debugger.
set(TROV_DEBUG_LEVEL 1 CACHE STRING "Debug information level (-g<level>) of Debug and RelWithDebInfo")
foreach(lang C CXX)
  foreach(config DEBUG RELWITHDEBINFO)
    string(REGEX REPLACE "(^| )-g[0-9]?( |$)" "\\1-g${TROV_DEBUG_LEVEL}\\2"
      CMAKE_${lang}_FLAGS_${config} "${CMAKE_${lang}_FLAGS_${config}}")
  endforeach()
endforeach()

# Compiler cache.  With ccache installed (scripts/setup installs it) every
# compile of the three builds (Windows, native, fuzz) goes through it, with
# settings of this project passed in its environment rather than taken from
# the user's configuration file:
#  - the cache folder TROV_CCACHE_DIR, outside the clone, bounded to
#    TROV_CCACHE_MAXSIZE (the least recently used entries go first);
#  - the clone's root as base folder: paths below it are made relative to
#    the build folder before they are hashed, and the debug information
#    names the clone's root "." (-fdebug-prefix-map), so a clone in another
#    folder hits the entries of a build made just before in this one;
#    __FILE__ in a file of a unity batch (included by its absolute path) is
#    mapped the same way;
#  - the sloppiness the precompiled headers need (pch_defines,time_macros),
#    and file times ignored for headers (a fresh clone's files are all new).
option(TROV_CCACHE "Compile through ccache when it is installed" ON)
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-fdebug-prefix-map=${TROV_ROOT}=.;-fmacro-prefix-map=${TROV_ROOT}/=>")
if(DEFINED ENV{TROV_CCACHE_DIR})
  set(trov_ccache_dir_default "$ENV{TROV_CCACHE_DIR}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(trov_ccache_dir_default "$ENV{XDG_CACHE_HOME}/trovconf-ccache")
else()
  set(trov_ccache_dir_default "$ENV{HOME}/.cache/trovconf-ccache")
endif()
set(TROV_CCACHE_DIR "${trov_ccache_dir_default}" CACHE PATH "Compiler cache folder (outside the clone)")
set(TROV_CCACHE_MAXSIZE "6G" CACHE STRING "Largest size of the compiler cache")
if(TROV_CCACHE)
  find_program(TROV_CCACHE_PROGRAM ccache)
  if(TROV_CCACHE_PROGRAM)
    foreach(lang C CXX)
      set(CMAKE_${lang}_COMPILER_LAUNCHER "${CMAKE_COMMAND}" -E env
        "CCACHE_DIR=${TROV_CCACHE_DIR}" "CCACHE_MAXSIZE=${TROV_CCACHE_MAXSIZE}"
        "CCACHE_BASEDIR=${TROV_ROOT}"
        "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
        "${TROV_CCACHE_PROGRAM}")
    endforeach()
  else()
    message(STATUS "ccache not found: compiling without a compiler cache (scripts/setup installs it)")
  endif()
endif()

add_library(trov_options INTERFACE)
target_include_directories(trov_options INTERFACE "${TROV_ROOT}")
target_compile_options(trov_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers>)
# GCC warns of a class whose base or member lives in an anonymous namespace
# when the class is defined outside the main file, which in a unity batch
# is every file: a test fixture in an anonymous namespace would warn in
# each TEST_F.  The batch is one translation unit, so nothing is shared.
target_compile_options(trov_options INTERFACE
  $<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CXX_COMPILER_ID:GNU>>:-Wno-subobject-linkage>)

if(WIN32)
  # An ANSI program: 8-bit text throughout, no UNICODE.
  target_compile_definitions(trov_options INTERFACE
    _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 STRICT
    WIN32_LEAN_AND_MEAN _CRT_SECURE_NO_WARNINGS)
  # The .exe must run on a bare Windows: no MinGW runtime DLLs.
  target_link_options(trov_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

option(TROV_WERROR "Treat compiler warnings as errors (the CI build)" OFF)
if(TROV_WERROR)
  target_compile_options(trov_options INTERFACE $<$<COMPILE_LANGUAGE:C,CXX>:-Werror>)
endif()

if(TROV_SANITIZE)
  target_compile_options(trov_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(trov_options INTERFACE -fsanitize=address,undefined)
endif()

if(TROV_FUZZ)
  # Coverage feedback for libFuzzer from every library a fuzz target links,
  # not only from the target's own file.
  target_compile_options(trov_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Resource scripts (.rc) build on Windows only, with windres.
if(WIN32)
  enable_language(RC)
  # windres runs the C preprocessor over a script; that preprocessor writes
  # the headers and scripts it read into the dependency file Ninja expects,
  # so a script is rebuilt when an id header or an included script changes.
  set(CMAKE_DEPFILE_FLAGS_RC
    "--preprocessor-arg=-MD --preprocessor-arg=-MF --preprocessor-arg=<DEP_FILE> --preprocessor-arg=-MT --preprocessor-arg=<OBJECT>")
  # The manifest that every executable carries (trov_add_windows_executable).
  add_library(trov_manifest OBJECT "${TROV_ROOT}/res/manifest.rc")
  target_link_libraries(trov_manifest PRIVATE trov_options)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
endif()

# trov_binary_resources(<out-var> <source>...): the resources windres cannot
# express (toolbars, dialog-init data), made by scripts/make-resource from
# their text sources into <name>.bin in the current binary folder.  A script
# includes one as `<id> 241 "<name>.bin"` (240 for dialog-init data); give
# the script OBJECT_DEPENDS on the outputs and the folder as an include
# folder of its target.
function(trov_binary_resources out)
  set(outputs)
  foreach(src ${ARGN})
    get_filename_component(abs "${src}" ABSOLUTE)
    get_filename_component(stem "${src}" NAME_WE)
    set(bin "${CMAKE_CURRENT_BINARY_DIR}/${stem}.bin")
    add_custom_command(OUTPUT "${bin}"
      COMMAND Python3::Interpreter "${TROV_ROOT}/scripts/make-resource" "${abs}" "${bin}"
      DEPENDS "${abs}" "${TROV_ROOT}/scripts/make-resource"
      COMMENT "Making resource ${stem}.bin"
      VERBATIM)
    list(APPEND outputs "${bin}")
  endforeach()
  set(${out} ${outputs} PARENT_SCOPE)
endfunction()

# trov_glob_sources(<out-var> <folder>): the .cpp files of a folder (recursive)
# that belong to this side of the build, and on Windows its .rc files.
function(trov_glob_sources out folder)
  set(patterns "${folder}/*.cpp" "${folder}/*.c")
  if(WIN32)
    list(APPEND patterns "${folder}/*.rc")
  endif()
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${patterns})
  set(kept)
  foreach(f ${all})
    file(RELATIVE_PATH rel "${folder}" "${f}")
    set(win_only FALSE)
    if(rel MATCHES "(^|/)win/" OR rel MATCHES "Win\\.(cpp|c)$")
      set(win_only TRUE)
    endif()
    set(posix_only FALSE)
    if(rel MATCHES "Posix\\.(cpp|c)$")
      set(posix_only TRUE)
    endif()
    if(WIN32 AND posix_only)
      continue()
    endif()
    if(NOT WIN32 AND win_only)
      continue()
    endif()
    list(APPEND kept "${f}")
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

# Unity (jumbo) builds: a target's C++ sources compile in batches, several
# files of one folder included into one translation unit, so the headers
# they share are parsed and their inline functions compiled and optimised
# once per batch instead of once per file.  A batch holds the files of one
# folder in name order up to TROV_UNITY_BATCH_BYTES of source; a file never
# joins a batch of another folder, so a folder's names only have to be
# unique within that folder (see the design notes).  Files that must compile
# alone get SKIP_UNITY_BUILD_INCLUSION with the reason beside it.
option(TROV_UNITY "Build sources in unity batches" ON)
set(TROV_UNITY_BATCH_BYTES 150000 CACHE STRING "Largest size of source in one unity batch (bytes)")

# trov_unity(<target>): puts the target's C and C++ sources (and those of
# its <target>_portable object library, see trov_precompile) into batches.
function(trov_unity target)
  if(NOT TROV_UNITY)
    return()
  endif()
  foreach(t ${target} ${target}_portable)
    if(NOT TARGET ${t})
      continue()
    endif()
    get_target_property(type ${t} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      continue()
    endif()
    get_target_property(sources ${t} SOURCES)
    get_target_property(dir ${t} SOURCE_DIR)
    set(folders)
    foreach(src ${sources})
      if(src MATCHES "^\\$<" OR NOT src MATCHES "\\.(cpp|c)$")
        continue()
      endif()
      get_filename_component(abs "${src}" ABSOLUTE BASE_DIR "${dir}")
      get_source_file_property(skip "${src}" TARGET_DIRECTORY ${t} SKIP_UNITY_BUILD_INCLUSION)
      if(skip)
        continue()
      endif()
      get_filename_component(folder "${abs}" DIRECTORY)
      file(RELATIVE_PATH folder "${TROV_ROOT}" "${folder}")
      string(MAKE_C_IDENTIFIER "${folder}" key)
      if(NOT key IN_LIST folders)
        list(APPEND folders ${key})
        set(batch_${key} 0)
        set(bytes_${key} 0)
      endif()
      file(SIZE "${abs}" size)
      math(EXPR total "${bytes_${key}} + ${size}")
      if(bytes_${key} GREATER 0 AND total GREATER TROV_UNITY_BATCH_BYTES)
        math(EXPR batch_${key} "${batch_${key}} + 1")
        set(total ${size})
      endif()
      set(bytes_${key} ${total})
      set_source_files_properties("${src}" TARGET_DIRECTORY ${t}
        PROPERTIES UNITY_GROUP "${key}_${batch_${key}}")
    endforeach()
    set_target_properties(${t} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  endforeach()
endfunction()

# trov_add_library(<name> <folder> [TEST] [EXCLUDE <regex>] [LIBS ...]
#                   [WIN_LIBS ...]): a static library of a folder's sources
# (less those whose path matches EXCLUDE); WIN_LIBS are linked only on
# Windows; TEST: test helpers (their precompiled header holds GoogleTest).
# An empty folder gives an interface library so dependants still link.
function(trov_add_library name folder)
  cmake_parse_arguments(ARG "TEST" "EXCLUDE" "LIBS;WIN_LIBS" ${ARGN})
  if(WIN32)
    list(APPEND ARG_LIBS ${ARG_WIN_LIBS})
  endif()
  trov_glob_sources(srcs "${folder}")
  if(ARG_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_link_libraries(${name} PUBLIC trov_options ${ARG_LIBS})
    if(ARG_TEST)
      trov_precompile(${name} TEST)
    else()
      trov_precompile(${name})
    endif()
    trov_unity(${name})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE trov_options ${ARG_LIBS})
  endif()
endfunction()

# trov_is_windows_source(<out-var> <file>): TRUE for a source that builds
# only on Windows (under a "win/" folder, named "*Win.cpp", a resource
# script, or part of the library, its tests and their helpers, which are
# Windows-only).
function(trov_is_windows_source out file)
  file(RELATIVE_PATH rel "${TROV_ROOT}" "${file}")
  if(rel MATCHES "(^|/)win/" OR rel MATCHES "Win\\.(cpp|c)$" OR rel MATCHES "\\.rc$"
     OR rel MATCHES "^(tests/|tests/common/)?ui/")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Precompiled headers of the Windows build.  Four headers (cmake/pch/), each
# compiled once by a small object library and reused by every target:
#   portable       standard headers, for portable sources (which must not
#                  see the Win32 headers: they build natively too);
#   windows        the Win32 headers of the framework plus the above, for
#                  Windows-only sources;
#   test, windows_test   the same with GoogleTest, for test sources.
# Reusing one header needs the same compiler options everywhere, which
# trov_options gives; -Winvalid-pch (added by CMake) reports a header that
# could not be used, and -Werror makes that fail the CI build.  With ccache
# as the launcher, its sloppiness must include pch_defines,time_macros.
option(TROV_PCH "Precompiled headers for the Windows build" ON)

function(trov_pch_base out kind)
  set(base trov_pch_${kind})
  if(NOT TARGET ${base})
    set(header_portable PortablePch.h)
    set(header_windows WindowsPch.h)
    set(header_test TestPch.h)
    set(header_windows_test WindowsTestPch.h)
    add_library(${base} OBJECT "${TROV_ROOT}/cmake/pch/PchBase.cpp")
    target_link_libraries(${base} PRIVATE trov_options)
    if(kind MATCHES "test")
      target_link_libraries(${base} PRIVATE GTest::gtest)
    endif()
    target_precompile_headers(${base} PRIVATE "${TROV_ROOT}/cmake/pch/${header_${kind}}")
  endif()
  set(${out} ${base} PARENT_SCOPE)
endfunction()

# trov_precompile(<target> [TEST]): gives a target's C++ sources their
# precompiled header.  Windows-only and portable sources need different
# ones and a target has one, so in a target with both the portable sources
# move into an object library <target>_portable of their own (same link
# libraries and definitions), whose objects the target takes.  Call it after
# the target's sources, libraries and definitions are set.  Sources with
# SKIP_PRECOMPILE_HEADERS keep parsing their headers themselves.
function(trov_precompile target)
  cmake_parse_arguments(ARG "TEST" "" "" ${ARGN})
  if(NOT WIN32 OR NOT TROV_PCH)
    return()
  endif()
  set(prefix "")
  if(ARG_TEST)
    set(prefix "test")
  endif()
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  set(windows_sources)
  set(portable_sources)
  set(other_sources)
  foreach(src ${sources})
    if(src MATCHES "^\\$<" OR NOT src MATCHES "\\.(cpp|c)$")
      list(APPEND other_sources "${src}")
      continue()
    endif()
    get_filename_component(abs "${src}" ABSOLUTE BASE_DIR "${dir}")
    trov_is_windows_source(win "${abs}")
    if(win)
      list(APPEND windows_sources "${src}")
    else()
      list(APPEND portable_sources "${src}")
    endif()
  endforeach()

  if(windows_sources AND portable_sources)
    set(obj ${target}_portable)
    add_library(${obj} OBJECT ${portable_sources})
    get_target_property(libs ${target} LINK_LIBRARIES)
    get_target_property(defs ${target} COMPILE_DEFINITIONS)
    if(libs)
      target_link_libraries(${obj} PRIVATE ${libs})
    endif()
    if(defs)
      target_compile_definitions(${obj} PRIVATE ${defs})
    endif()
    if(prefix)
      trov_pch_base(base test)
    else()
      trov_pch_base(base portable)
    endif()
    target_precompile_headers(${obj} REUSE_FROM ${base})
    set_property(TARGET ${target} PROPERTY SOURCES ${windows_sources} ${other_sources} $<TARGET_OBJECTS:${obj}>)
    # The objects carry the dependency on their own sources' build.
    add_dependencies(${target} ${obj})
  endif()
  if(windows_sources)
    if(prefix)
      trov_pch_base(base windows_test)
    else()
      trov_pch_base(base windows)
    endif()
  elseif(prefix)
    trov_pch_base(base test)
  else()
    trov_pch_base(base portable)
  endif()
  target_precompile_headers(${target} REUSE_FROM ${base})
endfunction()

# trov_add_windows_executable(<name> SOURCES ... [LIBS ...] [RESOURCES ...]
#                             [DEFINITIONS ...] [GUI] [TEST]): a Windows
# executable (the program, a test or a tool) with the manifest, the static
# runtime (trov_options) and its resources: the object libraries named in
# RESOURCES (the program's script), and the library's own scripts, which
# come with trov_ui to every executable that links it (ui/CMakeLists.txt).
# GUI: a windows-subsystem program; TEST: test sources (precompiled header
# with GoogleTest).
function(trov_add_windows_executable name)
  cmake_parse_arguments(ARG "GUI;TEST" "" "SOURCES;LIBS;RESOURCES;DEFINITIONS" ${ARGN})
  set(subsystem)
  if(ARG_GUI)
    set(subsystem WIN32)
  endif()
  add_executable(${name} ${subsystem} ${ARG_SOURCES} $<TARGET_OBJECTS:trov_manifest>)
  foreach(res ${ARG_RESOURCES})
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:${res}>)
  endforeach()
  target_link_libraries(${name} PRIVATE trov_options ${ARG_LIBS})
  if(ARG_DEFINITIONS)
    target_compile_definitions(${name} PRIVATE ${ARG_DEFINITIONS})
  endif()
  if(ARG_TEST)
    trov_precompile(${name} TEST)
  else()
    trov_precompile(${name})
  endif()
  trov_unity(${name})
endfunction()
