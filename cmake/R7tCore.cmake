# A core library: standard C++ only. Linking anything from Qt into it is a
# configure error, so a Qt include in core code cannot compile.
function(r7t_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  foreach(dep IN LISTS ARG_DEPENDS)
    if(dep MATCHES "^Qt")
      message(FATAL_ERROR "core library ${name} must not depend on ${dep}")
    endif()
  endforeach()
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# Turns resources/<program>/strings.txt into a C++ source that defines the
# program's string table; one such library is linked into each program.
function(r7t_string_table name program)
  set(src ${PROJECT_SOURCE_DIR}/resources/${program}/strings.txt)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND r7t_stringtable_gen ${src} ${out}
    DEPENDS r7t_stringtable_gen ${src}
    COMMENT "Generating string table of ${program}"
    VERBATIM)
  add_library(${name} STATIC ${PROJECT_SOURCE_DIR}/app/strings.cpp ${out})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
