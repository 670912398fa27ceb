# The file-format readers (Access, Excel, dBase, HTML) behind the Jet and dBase
# connection strings. Included from this folder's CMakeLists.txt after orlix_ado.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ORLIX_FILE_LIBS REQUIRED IMPORTED_TARGET
  libmdb glib-2.0 freexl shapelib libxml-2.0 libzip)

add_library(orlix_ado_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/file_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ole_date.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_encoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_column_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dbase_memo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dbase_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/access_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compound_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/excel_number_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xls_biff_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xls_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xlsx_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/excel_reader.cpp
)
target_include_directories(orlix_ado_files PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orlix_ado_files PUBLIC PkgConfig::ORLIX_FILE_LIBS)

if(TARGET orlix_ado)
  target_link_libraries(orlix_ado PUBLIC orlix_ado_files)
endif()
