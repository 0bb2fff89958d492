# The widget library: the maker's controls, help bubbles and look-and-feels. It uses the framework
# but does not compile its modules again: those are compiled once, into the plug-in's shared code,
# whose headers and macros it borrows through quillmont_plugin_code so both see one configuration.
# The plug-in links the library and the library links the plug-in's shared code for the framework's
# objects; CMake repeats such a cycle of static libraries on the link line.
file(GLOB QUILLMONT_WIDGETS_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/widgets/*.cpp")

add_library(quillmont_widgets STATIC ${QUILLMONT_WIDGETS_SOURCES})
set_target_properties(quillmont_widgets PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(quillmont_widgets PUBLIC "${PROJECT_SOURCE_DIR}")
target_compile_options(quillmont_widgets PRIVATE ${QUILLMONT_OWN_CODE_OPTIONS})

# Private, so that only the link reaches through to the shared code: its headers and macros stay
# out of the plug-in's own usage requirements, which would otherwise refer to themselves.
target_link_libraries(quillmont_widgets
    PRIVATE
        quillmont_plugin_code
        juce::juce_recommended_config_flags
        juce::juce_recommended_warning_flags)

target_link_libraries(TheQuillmont PUBLIC quillmont_widgets)
