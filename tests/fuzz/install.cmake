# The fuzz target of Install's list-file handling; included by the fuzz targets' CMakeLists.txt.
qb_fuzz_target(install_list_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/install_list_fuzz.cpp
  LIBRARIES install_core)
