tivora_add_benchmark(engine QT_APPLICATION gui SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/engine_frame_bench.cpp
                     DEPENDS tivora_engine)
