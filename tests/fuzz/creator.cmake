# The fuzz target of Creator's export; included by the fuzz targets' CMakeLists.txt.
add_executable(creator_export_fuzz ${CMAKE_CURRENT_LIST_DIR}/creator_export_fuzz.cpp ${QB_DOCUMENT_FILES})
target_link_libraries(creator_export_fuzz PRIVATE creator_core document_core)
target_compile_options(creator_export_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(creator_export_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
