if(TARGET tessaly_transfer)
  tessaly_add_bench(bench_duplicates SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/duplicates_bench.cpp LIBS tessaly_transfer)
endif()
