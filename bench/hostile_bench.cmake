tivora_add_benchmark(hostile QT_APPLICATION gui
                     SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostile_inputs_bench.cpp
                     DEPENDS tivora_engine)
find_package(ZLIB REQUIRED)
target_link_libraries(bench_hostile PRIVATE ZLIB::ZLIB)
