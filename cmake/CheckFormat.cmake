# Fails when a source file differs from the checked-in clang-format style
# (`make format` applies it).
#   cmake -DSOURCE_DIR=<the repository> -DCLANG_FORMAT=<program> -P cmake/CheckFormat.cmake
file(GLOB_RECURSE sources
  "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/tests/*.cpp" "${SOURCE_DIR}/tests/*.h"
  "${SOURCE_DIR}/bench/*.cpp" "${SOURCE_DIR}/bench/*.h" "${SOURCE_DIR}/tools/*.cpp" "${SOURCE_DIR}/tools/*.h"
  "${SOURCE_DIR}/fuzz/*.cpp" "${SOURCE_DIR}/fuzz/*.h")
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run --Werror ${sources}
  RESULT_VARIABLE result ERROR_VARIABLE differences)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Files that differ from .clang-format (run make format):\n${differences}")
endif()
list(LENGTH sources count)
message(STATUS "All ${count} source files follow .clang-format.")
