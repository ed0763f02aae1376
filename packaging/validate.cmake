cmake_minimum_required(VERSION 3.25)
# Runs VALIDATOR with the blank-separated VALIDATOR_ARGS and FILE; fails when
# it exits non-zero or prints a warning (desktop-file-validate exits 0 on
# warnings). The test is reported as skipped, not passed, when the validator
# is not there.
if(NOT VALIDATOR OR NOT EXISTS "${VALIDATOR}")
    message("VALIDATOR MISSING: install appstream and desktop-file-utils")
    return()
endif()
separate_arguments(args UNIX_COMMAND "${VALIDATOR_ARGS}")
execute_process(COMMAND ${VALIDATOR} ${args} ${FILE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${VALIDATOR} rejects ${FILE} (exit ${rc})")
endif()
if(out MATCHES "(^|\n)[^\n]*: warning: ")
    message(FATAL_ERROR "${VALIDATOR} warns about ${FILE}")
endif()
