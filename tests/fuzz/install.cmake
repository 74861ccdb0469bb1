# The fuzz target of Install's list-file handling; included by the fuzz targets' CMakeLists.txt.
add_executable(install_list_fuzz ${CMAKE_CURRENT_LIST_DIR}/install_list_fuzz.cpp)
target_link_libraries(install_list_fuzz PRIVATE install_core document_core)
target_compile_options(install_list_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(install_list_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
