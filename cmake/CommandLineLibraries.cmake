# CLI11 (the command line's parsing) and nlohmann-json (its JSON output), both
# header-only, for platelier-cli. Natively they come through their CMake
# packages. A cross build must not search the host's /usr/include, whose
# glibc headers would come before mingw-w64's: it sees only the libraries'
# own folders, linked into the build tree from PLATELIER_HOST_HEADERS.
if(CMAKE_CROSSCOMPILING)
    set(PLATELIER_HOST_HEADERS /usr/include CACHE PATH "The host folder holding CLI/ and nlohmann/")
    set(headers ${CMAKE_BINARY_DIR}/host-headers)
    file(MAKE_DIRECTORY ${headers})
    foreach(folder CLI nlohmann)
        if(NOT IS_DIRECTORY ${PLATELIER_HOST_HEADERS}/${folder})
            message(FATAL_ERROR "${PLATELIER_HOST_HEADERS}/${folder} is missing: install libcli11-dev and nlohmann-json3-dev")
        endif()
        file(CREATE_LINK ${PLATELIER_HOST_HEADERS}/${folder} ${headers}/${folder} SYMBOLIC COPY_ON_ERROR)
    endforeach()
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(CLI11::CLI11 nlohmann_json::nlohmann_json PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${headers})
else()
    find_package(CLI11 2 CONFIG REQUIRED)
    find_package(nlohmann_json 3 CONFIG REQUIRED)
endif()
