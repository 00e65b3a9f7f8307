tivora_add_fuzzer(csv_workbook SOURCES ${CMAKE_CURRENT_LIST_DIR}/csv_workbook_fuzzer.cpp
                  ${CMAKE_CURRENT_LIST_DIR}/workbook_fuzz_input.h DEPENDS tivora_excel)
