# Makes a fresh Wine prefix for one test run: the user's own prefix is never touched.
if(NOT PREFIX)
    message(FATAL_ERROR "PREFIX is not set")
endif()
execute_process(COMMAND wineserver -k ERROR_QUIET OUTPUT_QUIET)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND wineboot -i RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "wineboot failed with ${rc}")
endif()
# The test display has no window manager: Wine then waits two seconds for one whenever a
# top-level window is hidden or destroyed, unless Wine manages the windows itself.
execute_process(COMMAND wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "setting the unmanaged windows failed with ${rc}")
endif()
# No menu entries of the Linux desktop for the shortcuts the tests make: making them costs
# a Wine start each time and gives a test nothing.
execute_process(COMMAND wine reg add "HKCU\\Software\\Wine\\DllOverrides"
                        /v winemenubuilder.exe /d "" /f
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "turning off the menu builder failed with ${rc}")
endif()
# Marlett for the caption buttons, Tahoma for "MS Shell Dlg" and the Chinese and Japanese
# letters linked to it (scripts/wine-fonts.sh): the layout check measures real glyphs.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-fonts.sh RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "giving the prefix its fonts failed with ${rc}")
endif()
execute_process(COMMAND wineserver -w)
# COPIES: more prefixes made as copies of the finished one (the end-to-end tests' lanes);
# copying takes seconds where making one takes half a minute.
foreach(copy ${COPIES})
    file(REMOVE_RECURSE ${copy})
    execute_process(COMMAND cp -a ${PREFIX} ${copy} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "copying the prefix to ${copy} failed with ${rc}")
    endif()
endforeach()
