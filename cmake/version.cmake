# One version for everything: the project's version becomes vu_vo_version.h, which the DLL's version resource
# includes. Included by the top-level CMakeLists.txt after the plug-in's target exists.
set(VUVO_VERSION_DIR ${CMAKE_BINARY_DIR}/generated)
set(VUVO_VERSION_HEADER ${VUVO_VERSION_DIR}/vu_vo_version.h)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${VUVO_VERSION_HEADER} @ONLY)

if(WIN32)
  # Every resource compilation, also that of the test programs that link the plug-in's .rc, finds the header.
  string(APPEND CMAKE_RC_FLAGS " -I${VUVO_VERSION_DIR}")
  set_property(SOURCE ${VUVO_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS ${VUVO_VERSION_HEADER})
endif()
