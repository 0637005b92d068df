# The Windows build's libraries, from the Debian host: pcg-cpp, CLI11 and nlohmann-json are
# header-only, and GoogleTest is built from Debian's sources. The host's include folder cannot
# be searched as a whole (its C library headers would shadow MinGW's), so the headers the build
# needs are linked into a folder of their own.
set(ZELKORA_HOST_HEADERS ${CMAKE_BINARY_DIR}/host_headers)
file(REMOVE_RECURSE ${ZELKORA_HOST_HEADERS})
file(MAKE_DIRECTORY ${ZELKORA_HOST_HEADERS})
foreach(header pcg_random.hpp pcg_extras.hpp pcg_uint128.hpp CLI nlohmann)
  if(NOT EXISTS /usr/include/${header})
    message(FATAL_ERROR "/usr/include/${header} is missing: run scripts/install-deps")
  endif()
  file(CREATE_LINK /usr/include/${header} ${ZELKORA_HOST_HEADERS}/${header} SYMBOLIC)
endforeach()
target_include_directories(zelkora_common_cfg SYSTEM INTERFACE ${ZELKORA_HOST_HEADERS})

add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${ZELKORA_HOST_HEADERS})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${ZELKORA_HOST_HEADERS})

if(ZELKORA_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its own CMake files name the targets GTest::gtest, GTest::gtest_main and GTest::gmock.
endif()
