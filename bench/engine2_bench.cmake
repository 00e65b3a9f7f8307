tivora_add_benchmark(engine2 SOURCES ${CMAKE_CURRENT_LIST_DIR}/engine2_frames.cpp DEPENDS tivora_engine)
