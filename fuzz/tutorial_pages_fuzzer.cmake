tivora_add_fuzzer(tutorial_pages SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tutorial_pages_fuzzer.cpp
                  DEPENDS tivora_windows)
