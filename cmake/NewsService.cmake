# The news service the plug-in asks for its feed. Every build made here talks to this
# machine only; a release build sets the real service on the configure line, e.g.
#   cmake -DQUILLMONT_NEWS_BASE_URL=https://... -DQUILLMONT_NEWS_PATH=... -DQUILLMONT_NEWS_CREDENTIALS=...
# The three texts are stored scrambled in the binary so they do not show up in a strings dump.
set(QUILLMONT_NEWS_BASE_URL "http://127.0.0.1:9/" CACHE STRING "Base address of the news service")
set(QUILLMONT_NEWS_PATH "newsfeed" CACHE STRING "Path of the news feed below the base address")
set(QUILLMONT_NEWS_CREDENTIALS "quillmont:local" CACHE STRING "user:password sent as Basic authorisation")

# XOR with a running key; NewsServiceEndpoint.cpp undoes it with the same recurrence.
function(quillmont_scramble text seed outVar)
    string(HEX "${text}" hex)
    string(LENGTH "${hex}" hexLength)
    set(bytes "")
    set(key ${seed})
    set(i 0)
    while(i LESS hexLength)
        string(SUBSTRING "${hex}" ${i} 2 pair)
        math(EXPR value "(0x${pair} ^ ${key}) & 255" OUTPUT_FORMAT HEXADECIMAL)
        string(APPEND bytes "${value}, ")
        math(EXPR key "(${key} * 73 + 41) & 255")
        math(EXPR i "${i} + 2")
    endwhile()
    set(${outVar} "${bytes}" PARENT_SCOPE)
endfunction()

set(QUILLMONT_NEWS_URL_SEED 0x5a)
set(QUILLMONT_NEWS_PATH_SEED 0xc3)
set(QUILLMONT_NEWS_CREDENTIALS_SEED 0x97)
quillmont_scramble("${QUILLMONT_NEWS_BASE_URL}" ${QUILLMONT_NEWS_URL_SEED} QUILLMONT_NEWS_URL_BYTES)
quillmont_scramble("${QUILLMONT_NEWS_PATH}" ${QUILLMONT_NEWS_PATH_SEED} QUILLMONT_NEWS_PATH_BYTES)
quillmont_scramble("${QUILLMONT_NEWS_CREDENTIALS}" ${QUILLMONT_NEWS_CREDENTIALS_SEED} QUILLMONT_NEWS_CREDENTIALS_BYTES)

set(QUILLMONT_GENERATED_DIR "${CMAKE_CURRENT_BINARY_DIR}/generated")
configure_file("${PROJECT_SOURCE_DIR}/cmake/NewsServiceScrambled.h.in"
               "${QUILLMONT_GENERATED_DIR}/services/NewsServiceScrambled.h" @ONLY)
target_include_directories(TheQuillmont PRIVATE "${QUILLMONT_GENERATED_DIR}")
