# lupdate brings a copy of the translation up to date with the sources (a source text without an
# entry comes in unfinished); lrelease's report on the copy must then count nothing unfinished.
file(COPY_FILE ${TS} ${WORK}/vellox_en.ts)
string(REPLACE "|" ";" folders "${SOURCES}")
list(TRANSFORM folders PREPEND "${ROOT}/")
execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete ${folders} -ts ${WORK}/vellox_en.ts
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${LRELEASE} ${WORK}/vellox_en.ts -qm ${WORK}/vellox_en.qm OUTPUT_VARIABLE report
                COMMAND_ERROR_IS_FATAL ANY)
if(NOT report MATCHES "\\(([0-9]+) finished and 0 unfinished\\)" OR CMAKE_MATCH_1 EQUAL 0 OR report MATCHES "untranslated")
  message(FATAL_ERROR "The English translation is not complete:\n${report}")
endif()
message(STATUS "${report}")
