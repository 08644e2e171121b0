if(PKG_WIN32 OR PKG_WIN64)
  add_executable(winprobe ${CMAKE_CURRENT_LIST_DIR}/winprobe.cpp)
endif()
