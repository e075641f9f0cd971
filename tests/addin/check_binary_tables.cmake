# Reads the built add-in's headers, import and export tables and resources with objdump, as
# Excel's loader will see them: the image for its Excel (PE32 i386 for 32-bit, PE32+ x86-64 for
# 64-bit), Excel4 imported from XLCALL32.DLL the way that Excel provides it (EXCEL4: "ordinal"
# for ordinal 2, "name" for the name Excel4) and nothing else from it, every name of the .def
# exported as written, and the ABOUT dialog, version block and string table (ids from STRINGS).
cmake_policy(SET CMP0057 NEW)  # if(IN_LIST)
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump failed on ${BINARY}")
endif()

if(PE_FORMAT STREQUAL "pe32")
  set(format "pei-i386")
  set(magic "010b")
else()
  set(format "pei-x86-64")
  set(magic "020b")
endif()
if(NOT dump MATCHES "file format ${format}\n" OR NOT dump MATCHES "\nMagic[ \t]+${magic}")
  message(FATAL_ERROR "${BINARY} is not a ${format} image with optional header magic ${magic}")
endif()
# A library: IMAGE_FILE_DLL (0x2000) set.
string(REGEX MATCH "\nCharacteristics 0x([0-9a-f]+)" flags "${dump}")
math(EXPR dll "0x${CMAKE_MATCH_1} & 0x2000")
if(NOT dll)
  message(FATAL_ERROR "${BINARY}'s characteristics 0x${CMAKE_MATCH_1} do not describe a DLL")
endif()

# The import block of XLCALL32.DLL: one line per entry, "<thunk> <ordinal> <none>" for an import
# by ordinal, "<hint-name rva> <hint> Excel4" for one by name.
string(FIND "${dump}" "DLL Name: XLCALL32.DLL" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the add-in does not import XLCALL32.DLL")
endif()
string(SUBSTRING "${dump}" ${at} 400 block)
string(REGEX MATCH "Bound-To\n([^\n]+\n)+" entries "${block}")
string(REGEX REPLACE "^Bound-To\n" "" entries "${entries}")
string(STRIP "${entries}" entries)
if(EXCEL4 STREQUAL "ordinal")
  set(pattern "^[0-9a-f]+[ \t]+0*2[ \t]+<none>$")
else()
  set(pattern "^[0-9a-f]+[ \t]+[0-9]+[ \t]+Excel4$")
endif()
if(NOT entries MATCHES "${pattern}")
  message(FATAL_ERROR "XLCALL32.DLL must be imported for Excel4 by ${EXCEL4} alone, got:\n${entries}")
endif()

file(STRINGS ${DEF} lines)
foreach(line ${lines})
  if(line MATCHES "^[ \t]+([A-Za-z_@0-9]+)")
    set(name ${CMAKE_MATCH_1})
    if(NOT dump MATCHES "\\][ \t]+${name}\n")
      message(FATAL_ERROR "export ${name} missing from the add-in's export table")
    endif()
  endif()
endforeach()
# Excel finds the add-in's entry points by these names, and every function it registers by its
# procedure, as the function list gives it; nothing else is exported.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/function_list.cmake)
mezura_read_function_list(procedures types sources)
mezura_excel12_procedures(procedures12)
set(expected
  xlAutoOpen xlAutoClose xlAutoRegister xlAutoAdd xlAutoRemove xlAddInManagerInfo xlAutoFree xlAutoFree12
  CheckInstance _about_dlg@4 ${procedures} ${procedures12})
include(${CMAKE_CURRENT_LIST_DIR}/../export_names.cmake)
mezura_export_names("${dump}" exported)
set(extra ${exported})
list(REMOVE_ITEM extra ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${exported})
if(extra OR missing)
  message(FATAL_ERROR "export table differs from the entry points Excel looks for: extra [${extra}] missing [${missing}]")
endif()

# The ABOUT dialog (type 5), the version block (16/1) and every string-table block (6) that
# holds an id of the add-in's strings (block n holds ids 16(n-1) to 16n-1).
mezura_resource_names("${dump}" resources)
set(wanted 5/ABOUT 16/1)
file(STRINGS ${STRINGS} string_lines REGEX "^MEZURA_STRING\\([0-9]+,")
foreach(line ${string_lines})
  string(REGEX REPLACE "^MEZURA_STRING\\(([0-9]+),.*" "\\1" id "${line}")
  math(EXPR string_block "${id} / 16 + 1")
  list(APPEND wanted 6/${string_block})
endforeach()
list(REMOVE_DUPLICATES wanted)
foreach(want ${wanted})
  if(NOT want IN_LIST resources)
    message(FATAL_ERROR "the add-in lacks the resource ${want}; it holds ${resources}")
  endif()
endforeach()
message(STATUS "${format}; imports of XLCALL32.DLL: ${entries}")
message(STATUS "exports: ${exported}")
message(STATUS "resources: ${resources}")
