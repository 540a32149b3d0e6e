# Runs calc-keys on one key script and checks its exit status, its output and its errors.
#   cmake -DCALC_KEYS=exe -DINPUT=keys [-DARGS=a;b] [-DEXPECTED=file] [-DEXIT=n]
#         [-DSTDERR_MATCH=regex] [-DLOCALE=name -DLOCALE_DIR=dir] -P run_calc_keys.cmake
# With LOCALE, the locale is compiled with localedef into LOCALE_DIR and the tool runs in it
# through LOCPATH; the test is reported as skipped where the locale sources are missing.

if(NOT DEFINED EXIT)
    set(EXIT 0)
endif()

set(env_args)
if(LOCALE)
    set(locale_dir ${LOCALE_DIR})
    file(MAKE_DIRECTORY ${locale_dir})
    string(REGEX MATCH "^[^.]+" locale_source ${LOCALE})
    execute_process(COMMAND localedef -i ${locale_source} -f UTF-8 ${locale_dir}/${LOCALE}
                    OUTPUT_VARIABLE localedef_output ERROR_VARIABLE localedef_output)
    if(NOT EXISTS ${locale_dir}/${LOCALE}/LC_NUMERIC)
        message("SKIPPED: cannot compile the locale ${LOCALE}: ${localedef_output}")
        return()
    endif()
    set(env_args ${CMAKE_COMMAND} -E env LOCPATH=${locale_dir} LC_ALL=${LOCALE}
                 "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan_suppressions.txt:print_suppressions=0")
endif()

execute_process(COMMAND ${env_args} ${CALC_KEYS} ${ARGS}
                INPUT_FILE ${INPUT}
                OUTPUT_VARIABLE output
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)

if(NOT status EQUAL EXIT)
    message(FATAL_ERROR "exit status ${status}, expected ${EXIT}; errors: ${errors}")
endif()
if(DEFINED EXPECTED)
    file(READ ${EXPECTED} expected_output)
    if(NOT output STREQUAL expected_output)
        message(FATAL_ERROR "output differs from ${EXPECTED}:\n${output}")
    endif()
elseif(NOT output STREQUAL "")
    message(FATAL_ERROR "unexpected output:\n${output}")
endif()
if(DEFINED STDERR_MATCH)
    if(NOT errors MATCHES "${STDERR_MATCH}")
        message(FATAL_ERROR "errors do not match '${STDERR_MATCH}': ${errors}")
    endif()
elseif(NOT errors STREQUAL "")
    message(FATAL_ERROR "unexpected errors: ${errors}")
endif()
