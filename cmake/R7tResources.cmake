# What each Qt program brings of its own: its pictures built in, its help
# pages beside it.

# r7t_pictures(NAME FOLDER PREFIX): the SVG files of FOLDER built in under
# PREFIX (":/PREFIX/NAME.svg"), as the interface library NAME. The
# resource's objects go on the link line of whatever links NAME, so their
# initialiser is never dropped.
function(r7t_pictures name folder prefix)
  file(GLOB picture_files CONFIGURE_DEPENDS ${folder}/*.svg)
  add_library(${name}_objects OBJECT)
  target_link_libraries(${name}_objects PRIVATE Qt6::Core)
  qt_add_resources(${name}_objects ${name}
    PREFIX ${prefix}
    BASE ${folder}
    FILES ${picture_files})
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE Qt6::Core $<TARGET_OBJECTS:${name}_objects>)
endfunction()

# r7t_help_pages(PROGRAM FOLDER): the pages of FOLDER copied to help/ beside
# the program at every build where they changed (target PROGRAM_help).
function(r7t_help_pages program folder)
  file(GLOB help_files CONFIGURE_DEPENDS ${folder}/*)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${program}_help.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf $<TARGET_FILE_DIR:${program}>/help
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${folder} $<TARGET_FILE_DIR:${program}>/help
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${help_files}
    COMMENT "Copying the help pages of ${program}"
    VERBATIM)
  add_custom_target(${program}_help ALL DEPENDS ${stamp})
  add_dependencies(${program} ${program}_help)
endfunction()
