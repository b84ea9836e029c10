# Ends the test run's wineserver; there may be none left to end.
execute_process(COMMAND wineserver -k ERROR_QUIET OUTPUT_QUIET)
