if(TARGET tessaly_gui)
  tessaly_add_bench(bench_app_startup SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/app_startup_bench.cpp
                    LIBS tessaly_gui)
endif()
