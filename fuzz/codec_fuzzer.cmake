tivora_add_fuzzer(codec SOURCES ${CMAKE_CURRENT_LIST_DIR}/codec_fuzzer.cpp DEPENDS tivora_document)
