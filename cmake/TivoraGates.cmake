# The format and clang-tidy checks, registered as tests so that `make test` (and with it CI) fails
# when a source file is not formatted or has a clang-tidy finding. Included after every target is
# defined: both checks take their files from the build.
option(TIVORA_GATES "Run the format and clang-tidy checks with the tests" ON)
if(NOT TIVORA_GATES)
    return()
endif()

find_program(TIVORA_CLANG_FORMAT clang-format)
find_program(TIVORA_CLANG_TIDY clang-tidy)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
if(NOT TIVORA_CLANG_FORMAT OR NOT TIVORA_CLANG_TIDY)
    message(FATAL_ERROR "The format and tidy checks need clang-format and clang-tidy "
        "(scripts/install-deps.sh installs them); configure with -DTIVORA_GATES=OFF to go without")
endif()

function(tivora_in_source_tree path result)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${path}" NORMALIZE in_sources)
    cmake_path(IS_PREFIX PROJECT_BINARY_DIR "${path}" NORMALIZE in_build)
    if(in_sources AND NOT in_build)
        set(${result} TRUE PARENT_SCOPE)
    else()
        set(${result} FALSE PARENT_SCOPE)
    endif()
endfunction()

# Every .cpp and .h our targets compile, the headers beside them, and the headers in the include
# folders of ours they use (which is where headers no target lists, such as the tests' shared
# helpers, live).
function(tivora_collect_formatted_files directory files_var)
    set(files ${${files_var}})
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
        get_target_property(target_dir ${target} SOURCE_DIR)
        get_target_property(sources ${target} SOURCES)
        get_target_property(include_dirs ${target} INCLUDE_DIRECTORIES)
        foreach(source ${sources})
            if(source MATCHES "\\$<" OR NOT source MATCHES "\\.(cpp|h)$")
                continue()
            endif()
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${target_dir} NORMALIZE)
            tivora_in_source_tree(${source} ours)
            if(ours)
                cmake_path(GET source PARENT_PATH source_folder)
                file(GLOB beside CONFIGURE_DEPENDS ${source_folder}/*.h)
                list(APPEND files ${source} ${beside})
            endif()
        endforeach()
        foreach(include_dir ${include_dirs})
            if(include_dir MATCHES "\\$<")
                continue()
            endif()
            tivora_in_source_tree(${include_dir} ours)
            if(ours)
                file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${include_dir}/*.h)
                list(APPEND files ${headers})
            endif()
        endforeach()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory ${subdirectories})
        tivora_collect_formatted_files(${subdirectory} files)
    endforeach()
    list(REMOVE_DUPLICATES files)
    set(${files_var} ${files} PARENT_SCOPE)
endfunction()

set(tivora_formatted_files "")
tivora_collect_formatted_files(${PROJECT_SOURCE_DIR} tivora_formatted_files)
list(SORT tivora_formatted_files)
add_test(NAME gate_clang_format
    COMMAND ${TIVORA_CLANG_FORMAT} --dry-run -Werror ${tivora_formatted_files}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})

# clang-tidy reads the compile commands of the build, so it sees each file as the compiler does;
# it runs one file per core.
include(ProcessorCount)
ProcessorCount(tivora_tidy_jobs)
if(tivora_tidy_jobs EQUAL 0)
    set(tivora_tidy_jobs 1)
endif()
add_test(NAME gate_clang_tidy
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/clang-tidy-gate.py
        --clang-tidy ${TIVORA_CLANG_TIDY} --source-dir ${PROJECT_SOURCE_DIR}
        --build-dir ${PROJECT_BINARY_DIR} --jobs ${tivora_tidy_jobs})
set_tests_properties(gate_clang_tidy PROPERTIES PROCESSORS ${tivora_tidy_jobs} TIMEOUT 3600)
