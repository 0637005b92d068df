# Fails when a file of the core includes a floor its own floor does not declare as used (a
cmake_minimum_required(VERSION 3.25)
# higher floor, a peer, or anything outside the core: the window, the desktop program, the
# runner), or when a floor declares a use that none of its files makes.
include(${CMAKE_CURRENT_LIST_DIR}/CoreFloors.cmake)
zelkora_check_floor_includes(${SOURCE_DIR})
message(STATUS "every include of the core names a floor its floor uses, and every use is made")
