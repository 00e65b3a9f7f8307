tivora_add_benchmark(export QT_APPLICATION gui SOURCES ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp
                     DEPENDS tivora_export)
