# libFuzzer targets for the four readers of outside data: host state, preset files, settings file
# and the news service's reply.
# They need clang and a build of their own, because every object, the framework's included, is
# compiled with coverage instrumentation and the address and undefined-behaviour sanitizers:
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 \
#         -DQUILLMONT_BUILD_FUZZERS=ON -DQUILLMONT_BUILD_TESTS=OFF -DQUILLMONT_BUILD_BENCHMARKS=OFF
# scripts/run-fuzzers.sh does this and runs them through CTest.
option(QUILLMONT_BUILD_FUZZERS "Build the libFuzzer targets (clang only)" OFF)
# A fixed seed and a fixed number of inputs, not a fixed time, so a busy machine searches as far as
# an idle one. The time limit only guards against a machine far slower than ours.
set(QUILLMONT_FUZZ_RUNS 50000 CACHE STRING "How many inputs each fuzzer tries under CTest")
set(QUILLMONT_FUZZ_SECONDS 120 CACHE STRING "Time limit of each fuzzer under CTest")

if(QUILLMONT_BUILD_FUZZERS)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "The fuzz targets need clang (for example -DCMAKE_CXX_COMPILER=clang++-14)")
    endif()

    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# quillmont_add_fuzzer(<reader> <source>): builds fuzz_<reader> and runs it for QUILLMONT_FUZZ_RUNS inputs
# with a fixed seed over fuzz/corpus/<reader>/, the committed seeds and regression inputs. New inputs
# and crash artefacts go into the build folder, never into the committed corpus.
function(quillmont_add_fuzzer reader source)
    set(name fuzz_${reader})
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE quillmont_plugin_code juce::juce_recommended_warning_flags)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_compile_options(${name} PRIVATE ${QUILLMONT_OWN_CODE_OPTIONS})

    set(work "${CMAKE_CURRENT_BINARY_DIR}/${name}-work")
    file(MAKE_DIRECTORY "${work}/corpus" "${work}/artefacts")

    add_test(NAME ${name}
             COMMAND ${name} -seed=1 -runs=${QUILLMONT_FUZZ_RUNS} -max_total_time=${QUILLMONT_FUZZ_SECONDS} -timeout=10
                     -rss_limit_mb=2048 -print_final_stats=1 "-artifact_prefix=${work}/artefacts/"
                     "${work}/corpus" "${PROJECT_SOURCE_DIR}/fuzz/corpus/${reader}")
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
