tivora_add_fuzzer(biff_cells SOURCES ${CMAKE_CURRENT_LIST_DIR}/biff_cells_fuzzer.cpp
                  DEPENDS tivora_excel)
