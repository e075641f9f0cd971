# Helpers shared by the project's targets.

include(${CMAKE_CURRENT_LIST_DIR}/function_list.cmake)

# Project warnings on a target of our own (third-party code keeps its own flags).
function(mezura_warnings target)
  target_compile_options(${target} PRIVATE ${MEZURA_WARNINGS})
endfunction()

# A .def file made of a header and the export lists of the parts, in that order; the add-in's
# function list as a part gives the exports of its functions.
# 32-bit stdcall names stay decorated on the right (`name@N` is the symbol the export points
# at); the 64-bit ABI has no decoration, so it is stripped there.
function(mezura_def_file out name)
  set(text "")
  foreach(source ${ARGN})
    if("${source}" STREQUAL "${MEZURA_FUNCTION_LIST}")
      mezura_function_exports(part)
    else()
      file(READ ${source} part)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    endif()
    string(APPEND text "${part}")
  endforeach()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(REGEX REPLACE "(= *[A-Za-z_0-9]+)@[0-9]+" "\\1" text "${text}")
  endif()
  # The LIBRARY line names the file the .def is written for.
  string(REGEX REPLACE "\\.def$" "" library "${name}")
  string(REGEX REPLACE "(^|\n)LIBRARY +[^\n]+" "\\1LIBRARY ${library}.xll" text "${text}")
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${name})
  file(WRITE ${generated}.tmp "${text}")
  configure_file(${generated}.tmp ${generated} COPYONLY)
  set(${out} ${generated} PARENT_SCOPE)
endfunction()

# A shipped Windows file without its debug information: objcopy moves that into FILE.debug
# beside it, and the stripped file names it (.gnu_debuglink), so addr2line or gdb still read a
# crash address from the pair. SOURCE_DATE_EPOCH=0 keeps objcopy from stamping the PE header
# with the time of the copy.
function(mezura_split_debug target)
  set(file $<TARGET_FILE:${target}>)
  set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug ${file} ${file}.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${file}.debug ${file}
    VERBATIM)
endfunction()
