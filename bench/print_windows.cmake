if(TARGET tessaly_print_gui AND TARGET tessaly_transfer)
  tessaly_add_bench(bench_print_windows SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/print_windows_bench.cpp
                    LIBS tessaly_print_gui tessaly_transfer)
endif()
