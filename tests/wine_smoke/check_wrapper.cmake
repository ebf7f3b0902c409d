# Runs PROGRAM through WRAPPER (scripts/wine-run.sh) as ctest would, and checks that arguments,
# standard input, both output streams and the exit code pass through unchanged.
file(WRITE ${WORK_DIR}/wrapper_input.txt "line from stdin")
execute_process(
  COMMAND ${WRAPPER} ${PROGRAM} "two words" "" "zażółć" --exit 3
  WORKING_DIRECTORY ${WORK_DIR}
  INPUT_FILE ${WORK_DIR}/wrapper_input.txt
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)

# The Polish argument reaches the program in code page 1250: "zażółć" is za BF F3 B3 E6.
string(HEX "argv[1]=<two words>\nargv[2]=<>\nargv[3]=<za" head)
string(HEX ">\nargv[4]=<--exit>\nargv[5]=<3>\nstdin=<line from stdin>\n" tail)
set(expected_hex "${head}bff3b3e6${tail}")
string(REPLACE "\r" "" out "${out}")
string(HEX "${out}" out_hex)
if(NOT rc EQUAL 3)
  message(FATAL_ERROR "exit code ${rc}, expected 3\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(NOT out_hex STREQUAL expected_hex)
  message(FATAL_ERROR "stdout was (hex):\n${out_hex}\nexpected:\n${expected_hex}\n${out}")
endif()
if(NOT err MATCHES "to standard error")
  message(FATAL_ERROR "standard error was: ${err}")
endif()
