# Compiler settings and helpers shared by every folder.

set(TROV_ROOT "${CMAKE_SOURCE_DIR}")

add_library(trov_options INTERFACE)
target_include_directories(trov_options INTERFACE "${TROV_ROOT}")
target_compile_options(trov_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers>)

if(WIN32)
  # An ANSI program: 8-bit text throughout, no UNICODE.
  target_compile_definitions(trov_options INTERFACE
    _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 STRICT
    WIN32_LEAN_AND_MEAN _CRT_SECURE_NO_WARNINGS)
  # The .exe must run on a bare Windows: no MinGW runtime DLLs.
  target_link_options(trov_options INTERFACE -static -static-libgcc -static-libstdc++)
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
endif()

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

# trov_add_library(<name> <folder> [LIBS ...] [WIN_LIBS ...]): a static
# library of a folder's sources; WIN_LIBS are linked only on Windows.  An
# empty folder gives an interface library so dependants still link.
function(trov_add_library name folder)
  cmake_parse_arguments(ARG "" "" "LIBS;WIN_LIBS" ${ARGN})
  if(WIN32)
    list(APPEND ARG_LIBS ${ARG_WIN_LIBS})
  endif()
  trov_glob_sources(srcs "${folder}")
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_link_libraries(${name} PUBLIC trov_options ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE trov_options ${ARG_LIBS})
  endif()
endfunction()
