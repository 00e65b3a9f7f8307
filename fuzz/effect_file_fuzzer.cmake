tivora_add_fuzzer(effect_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/effect_file_fuzzer.cpp
                  DEPENDS tivora_engine)
