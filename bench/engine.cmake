# The installation engine on the simulated machine: bench_engine (Google Benchmark).
if(benchmark_FOUND)
  add_executable(bench_engine ${CMAKE_CURRENT_SOURCE_DIR}/engine_bench.cpp)
  target_link_libraries(bench_engine PRIVATE pkg_setup pkg_sim benchmark::benchmark)
  target_compile_definitions(bench_engine PRIVATE PKG_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
