tivora_add_fuzzer(ods_workbook SOURCES ${CMAKE_CURRENT_LIST_DIR}/ods_workbook_fuzzer.cpp
                  ${CMAKE_CURRENT_LIST_DIR}/workbook_fuzz_input.h DEPENDS tivora_excel)
