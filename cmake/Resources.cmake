# Pictures, logo and typefaces are compiled into the plug-in; nothing is read from disk at run time.
set(QUILLMONT_RESOURCE_FILES
    "${PROJECT_SOURCE_DIR}/resources/images/background.png"
    "${PROJECT_SOURCE_DIR}/resources/images/pedal.png"
    "${PROJECT_SOURCE_DIR}/resources/images/knob_gain.png"
    "${PROJECT_SOURCE_DIR}/resources/images/knob_tone.png"
    "${PROJECT_SOURCE_DIR}/resources/images/knob_volume.png"
    "${PROJECT_SOURCE_DIR}/resources/images/lamp.png"
    "${PROJECT_SOURCE_DIR}/resources/images/footswitch_up.png"
    "${PROJECT_SOURCE_DIR}/resources/images/footswitch_down.png"
    "${PROJECT_SOURCE_DIR}/resources/images/logo.svg"
    "${PROJECT_SOURCE_DIR}/resources/images/about_logo.png"
    "${PROJECT_SOURCE_DIR}/resources/fonts/PluginFont-Regular.ttf"
    "${PROJECT_SOURCE_DIR}/resources/fonts/PluginFont-Bold.ttf"
    "${PROJECT_SOURCE_DIR}/resources/fonts/FontAwesome.ttf")

juce_add_binary_data(QuillmontResources SOURCES ${QUILLMONT_RESOURCE_FILES})
set_target_properties(QuillmontResources PROPERTIES POSITION_INDEPENDENT_CODE ON)

# The framework's rule only watches the list of names; regenerate the data when a file changes too.
add_custom_command(
    OUTPUT "${CMAKE_CURRENT_BINARY_DIR}/juce_binarydata_QuillmontResources/JuceLibraryCode/BinaryData.h"
    APPEND DEPENDS ${QUILLMONT_RESOURCE_FILES})

target_link_libraries(TheQuillmont PUBLIC QuillmontResources)
