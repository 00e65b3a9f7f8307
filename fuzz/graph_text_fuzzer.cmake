tivora_add_fuzzer(graph_text SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/graph_text_fuzzer.cpp
                  DEPENDS tivora_engine)
