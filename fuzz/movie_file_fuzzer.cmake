tivora_add_fuzzer(movie_file SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/movie_file_fuzzer.cpp
                  DEPENDS tivora_engine)
