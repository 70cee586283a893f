# Installs the sample rate files the build made: one per line of the manifest
# (the file's name, then the rate tool's arguments, tab-separated).
# Run by cmake_install.cmake, which sets the variables used here.
if(NOT EXISTS "${QUORAVEL_RATE_MANIFEST}")
  message(FATAL_ERROR "No sample rate files to install: build the program first")
endif()
file(STRINGS "${QUORAVEL_RATE_MANIFEST}" runs)
set(rate_files)
foreach(run IN LISTS runs)
  string(REPLACE "\t" ";" fields "${run}")
  list(GET fields 0 name)
  list(APPEND rate_files "${QUORAVEL_PROGRAM_DIR}/${name}")
endforeach()
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${QUORAVEL_DATA_DESTINATION}" TYPE FILE
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  FILES ${rate_files})
