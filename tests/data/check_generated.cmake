# Runs a data generator into a scratch file and fails when the shipped file
# differs from what it writes: the shipped data must stay reproducible.
# -DGENERATOR=<command;args> -DOUTPUT=<scratch file> -DSHIPPED=<file in data/>
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "${GENERATOR} failed: ${failed}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${SHIPPED} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${SHIPPED} is not what ${GENERATOR} writes; run the generator and commit both")
endif()
