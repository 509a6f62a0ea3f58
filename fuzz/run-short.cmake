# Runs one fuzzer for a bounded time on a scratch copy of its seed corpus.
# -D FUZZER=<executable> -D SEEDS=<committed corpus> -D WORK=<scratch directory>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/artifacts")
file(GLOB seeds "${SEEDS}/*")
file(COPY ${seeds} DESTINATION "${WORK}/corpus")
execute_process(
  COMMAND "${FUZZER}" "${WORK}/corpus" -max_total_time=20 -rss_limit_mb=1024
          -print_final_stats=1 "-artifact_prefix=${WORK}/artifacts/"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "fuzzer failed (${rc}); the input is in ${WORK}/artifacts")
endif()
