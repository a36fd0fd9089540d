# A core library: standard C++ only. r7t_check_core_libraries(), run once
# every target exists, fails the configure when a core library links Qt,
# directly or through any library it links, so a Qt include in core code
# cannot compile.
function(r7t_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  set_property(GLOBAL APPEND PROPERTY R7T_CORE_LIBRARIES ${name})
endfunction()

# The first Qt item reached from target through its link libraries, in out.
function(_r7t_find_qt target out)
  get_property(seen GLOBAL PROPERTY _R7T_SEEN)
  if(target IN_LIST seen)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY _R7T_SEEN ${target})
  get_target_property(type ${target} TYPE)
  set(links "")
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(direct ${target} LINK_LIBRARIES)
    if(direct)
      list(APPEND links ${direct})
    endif()
  endif()
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  if(interface)
    list(APPEND links ${interface})
  endif()
  foreach(item IN LISTS links)
    # A generator expression names a program's string table, never Qt.
    if(item MATCHES "^Qt" OR item MATCHES "Qt6::" OR item MATCHES "^WrapOpenGL")
      set(${out} ${item} PARENT_SCOPE)
      return()
    endif()
    if(TARGET ${item})
      _r7t_find_qt(${item} found)
      if(found)
        set(${out} "${item} -> ${found}" PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

function(r7t_check_core_libraries)
  get_property(core GLOBAL PROPERTY R7T_CORE_LIBRARIES)
  foreach(name IN LISTS core)
    set_property(GLOBAL PROPERTY _R7T_SEEN "")
    _r7t_find_qt(${name} found)
    if(found)
      message(FATAL_ERROR "core library ${name} must not depend on Qt: ${name} -> ${found}")
    endif()
  endforeach()
endfunction()

# Turns resources/<program>/strings.txt into a C++ source that defines the
# program's string table (stringTableEntries()), and into the header
# "string_table/formats.h", on the table's include path, that declares each
# text with conversions under the name text/<program>_formats.txt gives it.
# A program links its table through r7t_text: set its R7T_STRING_TABLE
# property to the table's name when it is not the contest program's.
function(r7t_string_table name program)
  set(src ${PROJECT_SOURCE_DIR}/resources/${program}/strings.txt)
  set(formats ${PROJECT_SOURCE_DIR}/text/${program}_formats.txt)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
  set(include_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}_include)
  set(header ${include_dir}/string_table/formats.h)
  # The header is rewritten only when it changes, so that editing a text
  # rebuilds the table and not every user of the formats.
  add_custom_command(
    OUTPUT ${out}
    BYPRODUCTS ${header}
    COMMAND r7t_stringtable_gen ${src} ${formats} ${out} ${header}
    DEPENDS r7t_stringtable_gen ${src} ${formats}
    COMMENT "Generating string table of ${program}"
    VERBATIM)
  add_library(${name} STATIC ${out} ${header})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${include_dir})
endfunction()
