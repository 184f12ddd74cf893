if(TARGET tessaly_print AND TARGET tessaly_transfer)
  tessaly_add_bench(bench_print SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/print_bench.cpp
                    LIBS tessaly_print tessaly_transfer)
endif()
