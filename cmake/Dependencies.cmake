# LZO 2 and OpenSSL libcrypto as the imported targets trov::lzo and
# trov::crypto; GoogleTest for the test executables.
#
# MinGW on Debian: scripts/build-deps builds both from Debian's source
# packages into a cache and passes the folder as TROV_DEPS_PREFIX.
# Native Linux: Debian's liblzo2-dev and libssl-dev.
# Windows with MSYS2: the packages that find_package/find_library find.

if(TROV_DEPS_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${TROV_DEPS_PREFIX}")
  list(PREPEND CMAKE_PREFIX_PATH "${TROV_DEPS_PREFIX}")
endif()

find_path(LZO_INCLUDE_DIR lzo/lzo1x.h REQUIRED)
find_library(LZO_LIBRARY NAMES liblzo2.a lzo2 REQUIRED)
add_library(trov::lzo UNKNOWN IMPORTED)
set_target_properties(trov::lzo PROPERTIES
  IMPORTED_LOCATION "${LZO_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${LZO_INCLUDE_DIR}")

if(TROV_DEPS_PREFIX)
  find_path(CRYPTO_INCLUDE_DIR openssl/aes.h REQUIRED)
  find_library(CRYPTO_LIBRARY NAMES libcrypto.a crypto REQUIRED)
  add_library(trov::crypto UNKNOWN IMPORTED)
  set_target_properties(trov::crypto PROPERTIES
    IMPORTED_LOCATION "${CRYPTO_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${CRYPTO_INCLUDE_DIR}")
  if(WIN32)
    set_property(TARGET trov::crypto APPEND PROPERTY INTERFACE_LINK_LIBRARIES ws2_32 crypt32 advapi32 user32 bcrypt)
  endif()
else()
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  add_library(trov::crypto INTERFACE IMPORTED)
  set_property(TARGET trov::crypto PROPERTY INTERFACE_LINK_LIBRARIES OpenSSL::Crypto)
endif()

if(TROV_TESTS)
  if(WIN32)
    # Built from the sources Debian's googletest package installs.
    set(TROV_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # GoogleTest alone (no test uses the mocking library), built once per
    # build folder and linked by every test executable.
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory("${TROV_GTEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
