if(TARGET tessaly_transfer)
  tessaly_add_bench(bench_vcard_export SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/vcard_export_bench.cpp
    LIBS tessaly_transfer)
endif()
