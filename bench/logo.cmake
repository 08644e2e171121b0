# Logo conversions: bench_logo (Google Benchmark) and spawn_timer, which times whole
# processes for logo.bench.sh.
if(benchmark_FOUND)
  add_executable(bench_logo ${CMAKE_CURRENT_SOURCE_DIR}/logo_bench.cpp)
  target_link_libraries(bench_logo PRIVATE pkg_logo benchmark::benchmark)
endif()
add_executable(spawn_timer ${CMAKE_CURRENT_SOURCE_DIR}/spawn_timer.cpp)
