tivora_add_fuzzer(publish_graph SOURCES ${CMAKE_CURRENT_LIST_DIR}/publish_graph_fuzzer.cpp
                  DEPENDS tivora_publish_core)
