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
