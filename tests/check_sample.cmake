# Rebuilds the sample card image from its recipe and compares the bytes.
# EMULATOR (a list, possibly empty) runs a cross-built bsfixture.
execute_process(COMMAND ${EMULATOR} ${BSFIXTURE} ${OUTPUT} ${RECIPE}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "bsfixture failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED}
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${EXPECTED} differs from what ${RECIPE} builds; "
                      "rebuild it with: bsfixture ${EXPECTED} ${RECIPE}")
endif()
