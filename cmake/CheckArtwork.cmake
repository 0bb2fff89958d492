# Runs the artwork generator into a scratch folder and compares every output with the committed file.
# Invoked by CTest: cmake -D GENERATOR=... -D RESOURCES=... -D WORK_DIR=... -P CheckArtwork.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${RESOURCES}/fonts" DESTINATION "${WORK_DIR}")

execute_process(COMMAND "${GENERATOR}" "${WORK_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the artwork generator failed (${result})")
endif()

file(GLOB generated RELATIVE "${WORK_DIR}/images" "${WORK_DIR}/images/*")
list(LENGTH generated count)
if(count LESS 10)
    message(FATAL_ERROR "the generator wrote only ${count} files")
endif()

set(stale "")
foreach(name IN LISTS generated)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/images/${name}" "${RESOURCES}/images/${name}"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        list(APPEND stale "${name}")
    endif()
endforeach()

if(stale)
    message(FATAL_ERROR "committed artwork differs from the generator's output: ${stale} (run the 'artwork' target)")
endif()
message(STATUS "${count} artwork files match the generator")
