tessaly_add_bench(bench_settings SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/settings_bench.cpp LIBS tessaly_settings)
