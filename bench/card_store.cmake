tessaly_add_bench(bench_card_store SOURCES ${CMAKE_CURRENT_SOURCE_DIR} /
                  card_store_bench.cpp LIBS tessaly_card)
