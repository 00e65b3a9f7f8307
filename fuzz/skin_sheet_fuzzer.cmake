tivora_add_fuzzer(skin_sheet SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_sheet_fuzzer.cpp
                  DEPENDS tivora_controls)
