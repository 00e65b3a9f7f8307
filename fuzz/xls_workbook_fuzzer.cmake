tivora_add_fuzzer(xls_workbook SOURCES ${CMAKE_CURRENT_LIST_DIR}/xls_workbook_fuzzer.cpp
                  ${CMAKE_CURRENT_LIST_DIR}/workbook_fuzz_input.h DEPENDS tivora_excel)
# FreeXL runs in `tivora`, which must lie beside the fuzzer.
add_dependencies(fuzz_xls_workbook tivora)
