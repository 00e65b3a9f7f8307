tivora_add_fuzzer(published_movie SOURCES ${CMAKE_CURRENT_LIST_DIR}/published_movie_fuzzer.cpp
                  DEPENDS tivora_engine)
