# The circuit model is plain C++ with no framework dependency, so it builds and tests on its own.
file(GLOB QUILLMONT_DSP_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/dsp/*.cpp")
file(GLOB QUILLMONT_DSP_HEADERS CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/dsp/*.h")

add_library(quillmont_dsp STATIC ${QUILLMONT_DSP_SOURCES} ${QUILLMONT_DSP_HEADERS})
set_target_properties(quillmont_dsp PROPERTIES LINKER_LANGUAGE CXX POSITION_INDEPENDENT_CODE ON)
target_include_directories(quillmont_dsp PUBLIC "${PROJECT_SOURCE_DIR}")
target_link_libraries(quillmont_dsp PRIVATE juce::juce_recommended_warning_flags)

# The models round at fixed points (float vs double); a fused multiply-add would skip a
# rounding and move the tables' grid points, so contraction stays off wherever they compile.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(quillmont_dsp PUBLIC -ffp-contract=off)
endif()
