# The Windows plug-in: the export table, the Windows libraries, no runtime DLL of mingw's.
# Included by the top-level CMakeLists.txt when the target is Windows.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VUVO_WINDOWS_ARCH x64)
else()
  set(VUVO_WINDOWS_ARCH i686)
endif()

# The .def names every export twice (plain and MSVC-decorated); without it a static DLL exports every symbol.
set(VUVO_EXPORT_TABLE ${PROJECT_SOURCE_DIR}/plugin/export_table.txt)
set(VUVO_EXPORT_DEF ${CMAKE_CURRENT_BINARY_DIR}/VU-VO.def)
set(VUVO_EXPORT_CHECK ${CMAKE_CURRENT_BINARY_DIR}/export_table_check.cpp)
add_custom_command(
  OUTPUT ${VUVO_EXPORT_DEF} ${VUVO_EXPORT_CHECK}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/export_def.py ${VUVO_EXPORT_TABLE}
          --arch ${VUVO_WINDOWS_ARCH} --def ${VUVO_EXPORT_DEF} --check ${VUVO_EXPORT_CHECK}
  DEPENDS ${VUVO_EXPORT_TABLE} ${PROJECT_SOURCE_DIR}/cmake/export_def.py
  COMMENT "Export table for ${VUVO_WINDOWS_ARCH}"
  VERBATIM)
# The table is checked against plugin_exports.h whenever the plug-in is built.
target_sources(vuvo_plugin PRIVATE ${VUVO_EXPORT_DEF} ${VUVO_EXPORT_CHECK})

target_link_libraries(vuvo_core PUBLIC user32 gdi32 ole32 oleaut32)

# The dialog templates, their combo box lists and the window icon, compiled by windres into the plug-in.
enable_language(RC)
set(VUVO_RESOURCES ${PROJECT_SOURCE_DIR}/resources/vu_vo.rc)
set_source_files_properties(${VUVO_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/resource.h;${PROJECT_SOURCE_DIR}/resources/vu_vo.ico")
target_sources(vuvo_plugin PRIVATE ${VUVO_RESOURCES})
# windres finds the icon through the include path. The Windows adapters take the templates from the module that
# holds their code: the plug-in, or a test program that links VUVO_RESOURCES as well.
target_include_directories(vuvo_plugin PRIVATE ${PROJECT_SOURCE_DIR}/resources)
