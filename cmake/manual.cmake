# The user manual: the HTML sources in docs/ compiled into Quillory.chm beside the program.
find_program(CHMCMD chmcmd)
if(NOT CHMCMD)
  message(WARNING "chmcmd (Debian package fp-utils) not found: Quillory.chm will not be built")
  return()
endif()

file(GLOB manual_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*)
# chmcmd reads the sources beside the project and writes the manual into its
# working directory.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Quillory.chm
  COMMAND ${CHMCMD} --verbosity 1 ${CMAKE_SOURCE_DIR}/docs/quillory.hhp
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${manual_sources}
  COMMENT "Compiling the user manual Quillory.chm"
  VERBATIM)
add_custom_target(manual ALL DEPENDS ${CMAKE_BINARY_DIR}/Quillory.chm)
