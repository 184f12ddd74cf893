tessaly_add_bench(bench_phone SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/phone_bench.cpp LIBS tessaly_phone)
