tessaly_add_bench(bench_card_record SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/card_record_bench.cpp LIBS tessaly_card)
