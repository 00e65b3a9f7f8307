tivora_add_benchmark(publish SOURCES ${CMAKE_CURRENT_LIST_DIR}/publish_patch_bench.cpp
                     DEPENDS tivora_publish_core)
