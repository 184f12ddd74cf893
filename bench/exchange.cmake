tessaly_add_bench(bench_exchange SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/exchange_bench.cpp LIBS tessaly_exchange)
