# Cross build for 32-bit Windows: the shipped build, and its tests, which
# ctest runs under Wine's WoW64 as 64-bit Windows runs them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
