# Builds every sample rate file into the program folder: one quoravel-ratetool
# run per line of the manifest that quoravel-samplerates wrote.
#   cmake -DRATETOOL=<tool> -DTABLES=<tables folder> -DPROGRAM_DIR=<folder> -P BuildSampleRates.cmake
foreach(required RATETOOL TABLES PROGRAM_DIR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "BuildSampleRates.cmake needs -D${required}=...")
  endif()
endforeach()

file(MAKE_DIRECTORY "${PROGRAM_DIR}")
file(STRINGS "${TABLES}/manifest.txt" runs)
foreach(run IN LISTS runs)
  # A line: the rate file's name, then the tool's arguments, tab-separated.
  string(REPLACE "\t" ";" arguments "${run}")
  list(POP_FRONT arguments name)
  execute_process(COMMAND "${RATETOOL}" ${arguments} --output "${PROGRAM_DIR}/${name}"
                  RESULT_VARIABLE failed OUTPUT_QUIET)
  if(failed)
    message(FATAL_ERROR "quoravel-ratetool could not build ${name}")
  endif()
endforeach()

# The tool writes a text dump beside each file it builds; the program folder
# keeps the rate files only (the tables folder holds their sources).
file(GLOB dumps "${PROGRAM_DIR}/*RateDump.txt")
if(dumps)
  file(REMOVE ${dumps})
endif()
list(LENGTH runs count)
message(STATUS "${count} sample rate files in ${PROGRAM_DIR}")
