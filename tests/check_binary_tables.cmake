# Reads the built add-in's import and export tables with objdump, as Excel's loader will see them:
# Excel4 imported from XLCALL32.DLL by ordinal 2 only, and every name of the .def exported as written.
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump failed on ${BINARY}")
endif()

# The import block of XLCALL32.DLL: one line per entry, "<thunk> <ordinal> <name or <none>>".
string(FIND "${dump}" "DLL Name: XLCALL32.DLL" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the add-in does not import XLCALL32.DLL")
endif()
string(SUBSTRING "${dump}" ${at} 400 block)
string(REGEX MATCH "Bound-To\n([^\n]+\n)+" entries "${block}")
string(REGEX REPLACE "^Bound-To\n" "" entries "${entries}")
string(STRIP "${entries}" entries)
if(NOT entries MATCHES "^[0-9a-f]+[ \t]+0*2[ \t]+<none>$")
  message(FATAL_ERROR "XLCALL32.DLL must be imported by ordinal 2 alone, got:\n${entries}")
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
# Excel finds the add-in's entry points by these names; nothing else is exported.
set(expected
  xlAutoOpen xlAutoClose xlAutoRegister xlAutoAdd xlAutoRemove xlAddInManagerInfo xlAutoFree
  CvtAcceleration CvtArea CvtDensity CvtEnergy CvtEnthalpy CvtEntropy CvtLength CvtMass
  CvtMassFlow CvtPower CvtPressure CvtTemperature CvtThermCond CvtVelocity CvtViscosity
  CvtVolume CvtVolumeFlow
  VolSphere VolVertCyl VolVertCylSphCap VolHorzCyl VolHorzCylCap VolTaperedCyl
  MezuraHelp _about_dlg@4 CheckInstance)
include(${CMAKE_CURRENT_LIST_DIR}/export_names.cmake)
mezura_export_names("${dump}" exported)
set(extra ${exported})
list(REMOVE_ITEM extra ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${exported})
if(extra OR missing)
  message(FATAL_ERROR "export table differs from the entry points Excel looks for: extra [${extra}] missing [${missing}]")
endif()
message(STATUS "imports of XLCALL32.DLL: ${entries}")
message(STATUS "exports: ${exported}")
