tivora_add_benchmark(skin QT_APPLICATION widgets SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_bench.cpp
                     DEPENDS tivora_shell)
target_compile_definitions(bench_skin PRIVATE TIVORA_DATA_DIR="${TIVORA_DATA_OUTPUT_DIR}"
                           TIVORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                           TIVORA_SHIPPED_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
target_include_directories(bench_skin PRIVATE ${PROJECT_SOURCE_DIR}/tests)
add_dependencies(bench_skin tivora_data)
