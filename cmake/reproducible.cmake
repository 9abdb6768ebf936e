# The same commit gives the same Windows files, byte for byte, wherever it is built: no folder of this machine in
# the code (file names that __FILE__ and the like leave behind are written relative to the source and build
# folders) and no link time in the PE header. The native builds keep their full paths for the debugger.
if(WIN32)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                      -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
