# Every target of the project compiles with warnings as errors.
add_library(platelier_warnings INTERFACE)
if(MSVC)
    target_compile_options(platelier_warnings INTERFACE /W4 /WX /permissive-)
else()
    target_compile_options(platelier_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
        -Wnon-virtual-dtor -Wold-style-cast -Werror)
endif()
