# Benchmarks of the main window.
bpd_add_benchmark(bench_mainwindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_mainwindow.cpp
                  LIBS bpd_mainwindow Qt6::Widgets)
# The widget tests' services: nothing is shown, opened or printed.
target_include_directories(bench_mainwindow PRIVATE ${PROJECT_SOURCE_DIR}/tests/gui)
add_dependencies(bench_mainwindow pelgro-bpd)
