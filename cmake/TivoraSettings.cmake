# Build settings every target of the project shares, in one INTERFACE target.
add_library(tivora_settings INTERFACE)
target_compile_features(tivora_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
# Warnings fail the build, so none can pile up unseen; third-party headers are system includes and
# stay out of it. TIVORA_WERROR=OFF lets a newer compiler with new warnings still build the program.
option(TIVORA_WERROR "Treat compiler warnings as errors" ON)
target_compile_options(tivora_settings INTERFACE -Wall -Wextra -Wold-style-cast
    $<$<BOOL:${TIVORA_WERROR}>:-Werror>)
# A connect to a lambda without a context object keeps calling the lambda after whatever it
# captured is gone; under this definition Qt (from 6.7) refuses to compile such a connect.
target_compile_definitions(tivora_settings INTERFACE
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_CAST_FROM_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_KEYWORDS)

# The sanitized build (`make check-sanitized`) instruments every target of ours, executables included,
# so the encoders' library opened at run time finds the runtime already loaded.
option(TIVORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TIVORA_SANITIZE)
    target_compile_options(tivora_settings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(tivora_settings INTERFACE -fsanitize=address,undefined)
endif()

# tivora_add_library(name [QT modules...] SOURCES ... DEPENDS ...)
function(tivora_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC tivora_settings ${ARG_DEPENDS})
endfunction()

# tivora_add_test(name SOURCES ... DEPENDS ...): one Qt Test executable, registered with ctest.
function(tivora_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tivora_settings tivora_test_common Qt6::Test ${ARG_DEPENDS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    # TIVORA_SHIPPED_DATA_DIR is the Data folder as shipped (the sources), which no run of the
    # program writes into; TIVORA_DATA_DIR is the build's copy, beside the built programs.
    target_compile_definitions(${name} PRIVATE
        TIVORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        TIVORA_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
        TIVORA_SHIPPED_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
        TIVORA_DATA_DIR="${TIVORA_DATA_OUTPUT_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tivora_add_tests(PREFIX folder TESTS tst_a tst_b ... [SOURCES helpers...] [DEPENDS libraries...]
#                  [NEEDS targets...] [INCLUDES folders...]): the tests of one test folder, one
# executable PREFIX_tst_x for each tst_x.cpp, each with the folder's shared helpers, linked to
# DEPENDS and built after the NEEDS targets it runs or reads.
function(tivora_add_tests)
    cmake_parse_arguments(ARG "" "PREFIX" "TESTS;SOURCES;DEPENDS;NEEDS;INCLUDES" ${ARGN})
    foreach(test ${ARG_TESTS})
        set(name ${ARG_PREFIX}_${test})
        tivora_add_test(${name} SOURCES ${test}.cpp ${ARG_SOURCES} DEPENDS ${ARG_DEPENDS})
        if(ARG_NEEDS)
            add_dependencies(${name} ${ARG_NEEDS})
        endif()
        if(ARG_INCLUDES)
            target_include_directories(${name} PRIVATE ${ARG_INCLUDES})
        endif()
    endforeach()
endfunction()
