set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(PELLUCOR_TRIPLE i686-w64-mingw32)
# Floating point in SSE registers at the precision the code names, as on x86_64:
# the x87 unit's wider intermediates round colour arithmetic differently, so the
# two programs would draw the same image one shade apart.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
