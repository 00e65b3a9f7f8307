# The programs' start against a bare Qt window, on a real X display (see startup_bench.cpp).
add_executable(startup_bare_window ${CMAKE_CURRENT_LIST_DIR}/startup_bare_window.cpp)
target_link_libraries(startup_bare_window PRIVATE tivora_settings Qt6::Widgets)
find_package(PkgConfig REQUIRED)
pkg_check_modules(TIVORA_XCB REQUIRED IMPORTED_TARGET xcb)
tivora_add_benchmark(startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp
                     DEPENDS Qt6::Core PkgConfig::TIVORA_XCB)
target_compile_definitions(bench_startup PRIVATE
    TIVORA_BARE_WINDOW="$<TARGET_FILE:startup_bare_window>"
    TIVORA_PROGRAM_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
add_dependencies(bench_startup startup_bare_window tivora-designer tivora-player tivora_data)
