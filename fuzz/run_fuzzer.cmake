# Runs one fuzzer for SECONDS from a scratch copy of its corpus (the committed
# corpus is never written). Inputs that once failed are kept as unit tests.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
file(GLOB seeds ${CORPUS}/*)
file(COPY ${seeds} DESTINATION ${WORK}/corpus)
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1 ${WORK}/corpus
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE fuzzed)
if(NOT fuzzed EQUAL 0)
  message(FATAL_ERROR "the fuzzer found a failing input; it is in ${WORK}")
endif()
