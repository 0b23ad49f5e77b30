# Chooses the implementation file of the platform's file operations: Win32 on
# Windows, Linux on Linux (it uses Linux calls).
if(WIN32)
    set(PLATELIER_PLATFORM win32)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(PLATELIER_PLATFORM linux)
else()
    message(FATAL_ERROR "No file operations for ${CMAKE_SYSTEM_NAME}: Platelier builds for Windows and Linux")
endif()
message(STATUS "Platelier platform operations: ${PLATELIER_PLATFORM}")
