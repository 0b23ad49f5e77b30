# Chooses the implementation files of the platform operations: Win32 on
# Windows, POSIX everywhere else.
if(WIN32)
    set(PLATELIER_PLATFORM win32)
else()
    set(PLATELIER_PLATFORM posix)
endif()
message(STATUS "Platelier platform operations: ${PLATELIER_PLATFORM}")
