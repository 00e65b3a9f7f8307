tivora_add_benchmark(hostile QT_APPLICATION gui
                     SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostile_inputs_bench.cpp
                     DEPENDS tivora_engine tivora_excel)
target_compile_definitions(bench_hostile PRIVATE TIVORA_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
