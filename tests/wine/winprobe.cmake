if(PKG_WIN32)
  add_executable(winprobe ${CMAKE_CURRENT_LIST_DIR}/winprobe.cpp)
endif()
