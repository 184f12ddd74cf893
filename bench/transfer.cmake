if(TARGET tessaly_transfer)
  tessaly_add_bench(bench_transfer SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/transfer_bench.cpp LIBS tessaly_transfer)
endif()
