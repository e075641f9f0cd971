# MEZURA.HLP, MEZURA.CHM and install.xls beside the add-in in bin/, written by make_docs (make_docs/), a program
# of the build machine. The Windows presets build it with the build machine's compiler as a
# project of its own; the native presets build it as one of their targets.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(MEZURA_DOCS_BUILD ${CMAKE_BINARY_DIR}/docs-host)
  ExternalProject_Add(make_docs_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/make_docs
    BINARY_DIR ${MEZURA_DOCS_BUILD}
    # No toolchain file: the build machine's own C++ compiler (the project has no C sources).
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DMEZURA_WERROR=${MEZURA_WERROR} -DCMAKE_CXX_COMPILER=c++
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${MEZURA_DOCS_BUILD}/make_docs)
  set(MEZURA_MAKE_DOCS ${MEZURA_DOCS_BUILD}/make_docs)
  set(MEZURA_MAKE_DOCS_TARGET make_docs_host)
else()
  add_subdirectory(make_docs)
  set(MEZURA_MAKE_DOCS $<TARGET_FILE:make_docs>)
  set(MEZURA_MAKE_DOCS_TARGET make_docs)
endif()

set(MEZURA_HELP_FILE ${CMAKE_BINARY_DIR}/bin/MEZURA.HLP)
set(MEZURA_CHM_FILE ${CMAKE_BINARY_DIR}/bin/MEZURA.CHM)
set(MEZURA_WORKBOOK_FILE ${CMAKE_BINARY_DIR}/bin/install.xls)
add_custom_command(
  OUTPUT ${MEZURA_HELP_FILE} ${MEZURA_CHM_FILE} ${MEZURA_WORKBOOK_FILE}
  COMMAND ${MEZURA_MAKE_DOCS} --help ${MEZURA_HELP_FILE} --chm ${MEZURA_CHM_FILE} --workbook ${MEZURA_WORKBOOK_FILE}
  DEPENDS ${MEZURA_MAKE_DOCS_TARGET} ${MEZURA_MAKE_DOCS}
  COMMENT "The help files MEZURA.HLP and MEZURA.CHM and the workbook install.xls")
add_custom_target(distribution_docs ALL DEPENDS ${MEZURA_HELP_FILE} ${MEZURA_CHM_FILE} ${MEZURA_WORKBOOK_FILE})
