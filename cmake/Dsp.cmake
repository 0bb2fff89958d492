# The circuit model is plain C++ with no framework dependency, so it builds and tests on its own.
file(GLOB QUILLMONT_DSP_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/dsp/*.cpp")

if(QUILLMONT_DSP_SOURCES)
    add_library(quillmont_dsp STATIC ${QUILLMONT_DSP_SOURCES})
    set_target_properties(quillmont_dsp PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_include_directories(quillmont_dsp PUBLIC "${PROJECT_SOURCE_DIR}")
    target_link_libraries(quillmont_dsp PRIVATE juce::juce_recommended_warning_flags)
    target_compile_options(quillmont_dsp PRIVATE ${QUILLMONT_OWN_CODE_OPTIONS})
else()
    add_library(quillmont_dsp INTERFACE)
    target_include_directories(quillmont_dsp INTERFACE "${PROJECT_SOURCE_DIR}")
endif()

# The models round at fixed points (float vs double); a fused multiply-add would skip a
# rounding and move the tables' grid points, so contraction stays off wherever they compile,
# the inline per-sample code in the plug-in included.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    get_target_property(quillmont_dsp_type quillmont_dsp TYPE)
    if(quillmont_dsp_type STREQUAL "INTERFACE_LIBRARY")
        target_compile_options(quillmont_dsp INTERFACE -ffp-contract=off)
    else()
        target_compile_options(quillmont_dsp PUBLIC -ffp-contract=off)
    endif()
endif()
