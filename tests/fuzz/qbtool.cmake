# The fuzz targets of qbtool's table reader and salvage; included by the fuzz targets' CMakeLists.txt.
foreach(name qbtool_table_fuzz qbtool_salvage_fuzz)
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp ${QB_DOCUMENT_FILES})
  target_link_libraries(${name} PRIVATE qbtool_core)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endforeach()
