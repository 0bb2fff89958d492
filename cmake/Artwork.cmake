# The artwork generator draws every picture and the logo under resources/images from code,
# so a colour or a position can be changed and the whole set rebuilt with `--target artwork`.
option(QUILLMONT_BUILD_ARTGEN "Build the artwork generator" ON)

if(QUILLMONT_BUILD_ARTGEN)
    juce_add_console_app(quillmont_artgen PRODUCT_NAME "Quillmont Artwork Generator")

    file(GLOB artgen_sources CONFIGURE_DEPENDS
        "${PROJECT_SOURCE_DIR}/tools/artgen/*.cpp" "${PROJECT_SOURCE_DIR}/tools/artgen/*.h")
    target_sources(quillmont_artgen PRIVATE ${artgen_sources})
    set_source_files_properties(${artgen_sources} PROPERTIES COMPILE_OPTIONS "${QUILLMONT_OWN_CODE_OPTIONS}")
    target_include_directories(quillmont_artgen PRIVATE "${PROJECT_SOURCE_DIR}")

    target_compile_definitions(quillmont_artgen PRIVATE
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0)

    target_link_libraries(quillmont_artgen PRIVATE
        juce::juce_gui_basics
        juce::juce_recommended_config_flags
        juce::juce_recommended_warning_flags)

    # GCC 12 reports a false dangling-pointer warning inside the framework's listener lists.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(quillmont_artgen PRIVATE -Wno-dangling-pointer)
    endif()

    # Rewrites the committed pictures and logo in the source tree; the preview sheet stays in the build.
    # Naming the generator's target in COMMAND builds it first.
    add_custom_target(artwork
        COMMAND quillmont_artgen "${PROJECT_SOURCE_DIR}/resources" "${CMAKE_BINARY_DIR}/artwork-preview.png"
        COMMENT "Drawing the pedal artwork"
        VERBATIM)
endif()
