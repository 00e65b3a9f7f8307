tivora_add_benchmark(engine2 QT_APPLICATION gui SOURCES ${CMAKE_CURRENT_LIST_DIR}/engine2_frames.cpp DEPENDS tivora_engine)
