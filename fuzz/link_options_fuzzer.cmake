tivora_add_fuzzer(link_options SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_options_fuzzer.cpp
                  DEPENDS tivora_excel)
