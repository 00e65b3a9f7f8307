tivora_add_benchmark(engine QT_APPLICATION gui SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/engine_frame_bench.cpp
                     ${CMAKE_CURRENT_LIST_DIR}/bench_graph_text.h
                     DEPENDS tivora_engine)
