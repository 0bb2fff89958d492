option(QUILLMONT_BUILD_TESTS "Build the test suite" ON)
option(QUILLMONT_BUILD_BENCHMARKS "Build the benchmarks" ON)
option(QUILLMONT_WERROR "Treat warnings in the project's own code as errors" OFF)
option(QUILLMONT_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUILLMONT_TSAN "Build everything with ThreadSanitizer" OFF)

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
    set(CMAKE_C_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
    set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

if(QUILLMONT_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLMONT_TSAN)
    if(QUILLMONT_SANITIZE)
        message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer: use one build each")
    endif()
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()


# Applied to the project's own sources only: the framework's modules are compiled in the same
# targets but are not ours to fix.
set(QUILLMONT_OWN_CODE_OPTIONS "")
if(QUILLMONT_WERROR)
    set(QUILLMONT_OWN_CODE_OPTIONS -Werror)
endif()
