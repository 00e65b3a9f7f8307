tivora_add_fuzzer(project_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/project_file_fuzzer.cpp
                  DEPENDS tivora_publish_core)
