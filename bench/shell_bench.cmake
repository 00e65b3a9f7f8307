tivora_add_benchmark(shell QT_APPLICATION widgets SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_preview_bench.cpp
                     DEPENDS tivora_shell)
target_compile_definitions(bench_shell PRIVATE TIVORA_DATA_DIR="${TIVORA_DATA_OUTPUT_DIR}"
                           TIVORA_SHIPPED_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
target_include_directories(bench_shell PRIVATE ${PROJECT_SOURCE_DIR}/tests)
add_dependencies(bench_shell tivora_data)
