# The libraries of the file-format readers (Access, Excel, dBase, HTML) behind
# the Jet and dBase connection strings; their sources are globbed with the rest.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ORLIX_FILE_LIBS REQUIRED IMPORTED_TARGET libmdb glib-2.0 shapelib libzip)
target_link_libraries(orlix_ado PRIVATE PkgConfig::ORLIX_FILE_LIBS)

