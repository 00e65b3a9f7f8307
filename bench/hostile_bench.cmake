tivora_add_benchmark(hostile QT_APPLICATION widgets
                     SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostile_inputs_bench.cpp
                     DEPENDS tivora_engine tivora_controls tivora_publish_core tivora_excel)
find_package(ZLIB REQUIRED)
target_link_libraries(bench_hostile PRIVATE ZLIB::ZLIB)
target_compile_definitions(bench_hostile PRIVATE TIVORA_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
