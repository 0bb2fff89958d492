juce_add_plugin(TheQuillmont
    PRODUCT_NAME "The Quillmont"
    COMPANY_NAME "Korvanth"
    VERSION 1.0.1
    PLUGIN_MANUFACTURER_CODE Kvth
    PLUGIN_CODE mHGV
    DESCRIPTION "Analog modeled british distortion pedal."
    FORMATS VST3 Standalone
    VST3_CATEGORIES Fx Distortion
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT FALSE
    NEEDS_MIDI_OUTPUT FALSE
    IS_MIDI_EFFECT FALSE
    NEEDS_CURL TRUE
    EDITOR_WANTS_KEYBOARD_FOCUS FALSE
    COPY_PLUGIN_AFTER_BUILD FALSE)

set(QUILLMONT_SOURCE_DIRS processor services editor)
set(QUILLMONT_PLUGIN_SOURCES "")
foreach(dir IN LISTS QUILLMONT_SOURCE_DIRS)
    file(GLOB dir_sources CONFIGURE_DEPENDS
        "${PROJECT_SOURCE_DIR}/${dir}/*.cpp" "${PROJECT_SOURCE_DIR}/${dir}/*.h")
    list(APPEND QUILLMONT_PLUGIN_SOURCES ${dir_sources})
endforeach()

target_sources(TheQuillmont PRIVATE ${QUILLMONT_PLUGIN_SOURCES})
set_source_files_properties(${QUILLMONT_PLUGIN_SOURCES} PROPERTIES COMPILE_OPTIONS "${QUILLMONT_OWN_CODE_OPTIONS}")
target_include_directories(TheQuillmont PUBLIC "${PROJECT_SOURCE_DIR}")

target_compile_definitions(TheQuillmont
    PUBLIC
        JUCE_WEB_BROWSER=0
        JUCE_USE_FLAC=0
        JUCE_USE_OGGVORBIS=0
        JUCE_VST3_CAN_REPLACE_VST2=0
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_REPORT_APP_USAGE=0
        JUCE_MODAL_LOOPS_PERMITTED=1)

# The framework's modules are compiled once, into the plug-in's shared code, so they stay private.
target_link_libraries(TheQuillmont
    PUBLIC
        quillmont_dsp
    PRIVATE
        juce::juce_audio_utils
        juce::juce_dsp
        juce::juce_recommended_config_flags
        juce::juce_recommended_warning_flags)

# Tests and benchmarks link the shared code and see the same headers and macros as the plug-in,
# without compiling the modules again.
add_library(quillmont_plugin_code INTERFACE)
target_link_libraries(quillmont_plugin_code INTERFACE TheQuillmont)
target_include_directories(quillmont_plugin_code INTERFACE $<TARGET_PROPERTY:TheQuillmont,INCLUDE_DIRECTORIES>)
target_compile_definitions(quillmont_plugin_code INTERFACE $<TARGET_PROPERTY:TheQuillmont,COMPILE_DEFINITIONS>)

# GCC 12 reports a false dangling-pointer warning inside the framework's listener lists.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(TheQuillmont PRIVATE -Wno-dangling-pointer)
endif()
