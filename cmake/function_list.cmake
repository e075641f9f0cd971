# The add-in's function list (addin/functions.inc) as CMake reads it: the registered procedures,
# their exports, and the unit-table sources of the conversions.

set(MEZURA_FUNCTION_LIST ${CMAKE_CURRENT_LIST_DIR}/../addin/functions.inc)
get_filename_component(MEZURA_FUNCTION_LIST ${MEZURA_FUNCTION_LIST} ABSOLUTE)

# The rows in list order: the procedures, their type texts, and the table source of each
# conversion among them.
function(mezura_read_function_list procedures types sources)
  mezura_read_function_rows(names texts tables kinds)
  set(${procedures} "${names}" PARENT_SCOPE)
  set(${types} "${texts}" PARENT_SCOPE)
  set(${sources} "${tables}" PARENT_SCOPE)
endfunction()

# The same rows with the kind of each (CONVERSION, TANK, COMMAND) in `kinds`.
function(mezura_read_function_rows procedures types sources kinds)
  file(STRINGS ${MEZURA_FUNCTION_LIST} lines REGEX "^MEZURA_[A-Z]+\\(")
  if(NOT CMAKE_SCRIPT_MODE_FILE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MEZURA_FUNCTION_LIST})
  endif()
  set(names "")
  set(texts "")
  set(tables "")
  set(row_kinds "")
  foreach(line ${lines})
    if(NOT line MATCHES "^MEZURA_([A-Z]+)\\(([A-Za-z_][A-Za-z0-9_]*), *\"([A-Z]*)\"")
      message(FATAL_ERROR "functions.inc: cannot read the row: ${line}")
    endif()
    list(APPEND names ${CMAKE_MATCH_2})
    list(APPEND texts ${CMAKE_MATCH_3})
    list(APPEND row_kinds ${CMAKE_MATCH_1})
    if(CMAKE_MATCH_1 STREQUAL "CONVERSION")
      if(NOT line MATCHES ", *([a-z0-9_]+)\\)$")
        message(FATAL_ERROR "functions.inc: a conversion without its table source: ${line}")
      endif()
      list(APPEND tables ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${procedures} "${names}" PARENT_SCOPE)
  set(${types} "${texts}" PARENT_SCOPE)
  set(${sources} "${tables}" PARENT_SCOPE)
  set(${kinds} "${row_kinds}" PARENT_SCOPE)
endfunction()

# The .def lines that export every registered procedure under its plain name. A 32-bit stdcall
# symbol carries the bytes of its arguments, `name@N`: each argument is a 4-byte pointer, one
# per letter of the type text after the return letter. Every worksheet function (every row but a
# command) also has its Excel12 form, exported as the procedure followed by 12.
function(mezura_function_exports out)
  mezura_read_function_rows(names types sources kinds)
  set(text "")
  foreach(name type kind IN ZIP_LISTS names types kinds)
    string(LENGTH "${type}" letters)
    math(EXPR bytes "4 * (${letters} - 1)")
    string(APPEND text "    ${name} = ${name}@${bytes}\n")
    if(NOT kind STREQUAL "COMMAND")
      string(APPEND text "    ${name}12 = ${name}12@${bytes}\n")
    endif()
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The conversions' unit tables: `directory`/tables/<table source>.cpp for each, in list order.
function(mezura_unit_table_sources out directory)
  mezura_read_function_list(names types sources)
  list(TRANSFORM sources REPLACE "(.+)" "${directory}/tables/\\1.cpp")
  set(${out} "${sources}" PARENT_SCOPE)
endfunction()

# The Excel12 forms of the worksheet functions: each procedure but the commands', followed by 12.
function(mezura_excel12_procedures out)
  mezura_read_function_rows(names types sources kinds)
  set(procedures "")
  foreach(name kind IN ZIP_LISTS names kinds)
    if(NOT kind STREQUAL "COMMAND")
      list(APPEND procedures ${name}12)
    endif()
  endforeach()
  set(${out} "${procedures}" PARENT_SCOPE)
endfunction()
