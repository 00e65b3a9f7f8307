tivora_add_benchmark(excel SOURCES ${CMAKE_CURRENT_LIST_DIR}/excel_bench.cpp DEPENDS tivora_excel)
target_compile_definitions(bench_excel PRIVATE TIVORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
