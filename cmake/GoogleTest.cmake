# GoogleTest: Debian's packaged build natively; built from Debian's sources
# (/usr/src/googletest) with the project's own compiler when cross-compiling.
if(CMAKE_CROSSCOMPILING)
    set(PLATELIER_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(${PLATELIER_GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# platelier_add_test(name sources... LIBRARIES libs...): one test program.
# Natively each test case is a CTest test; under an emulator (Wine) the whole
# program is one test, so that Wine starts once per program.
function(platelier_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main platelier_warnings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix" TIMEOUT 300)
    else()
        gtest_discover_tests(${name})
    endif()
endfunction()
