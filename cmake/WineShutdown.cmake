# Ends the test run's wineserver, and those of the prefixes in PREFIXES (the end-to-end
# tests' lanes); there may be none left to end.
execute_process(COMMAND wineserver -k ERROR_QUIET OUTPUT_QUIET)
foreach(prefix ${PREFIXES})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${prefix} wineserver -k
                    ERROR_QUIET OUTPUT_QUIET)
endforeach()
