# Makes a fresh Wine prefix for one test run: the user's own prefix is never touched. With
# KEEPER, starts that program in it last, detached and with its output closed, and waits
# until it has brought up the prefix's services and desktop process, which it keeps up until
# the prefix is shut down.
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
if(KEEPER)
    set(ready ${PREFIX}/keeper-ready)
    file(REMOVE ${ready})
    execute_process(COMMAND setsid -f wine ${KEEPER} Z:${ready} INPUT_FILE /dev/null
                    OUTPUT_FILE /dev/null ERROR_FILE /dev/null RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "starting the prefix keeper failed with ${rc}")
    endif()
    # A test started before the services and the desktop process are up would start them
    # itself, and they would hold its output open for the rest of the run.
    foreach(attempt RANGE 600)
        if(EXISTS ${ready})
            break()
        endif()
        execute_process(COMMAND sleep 0.1)
    endforeach()
    if(NOT EXISTS ${ready})
        message(FATAL_ERROR "the prefix keeper did not start within a minute")
    endif()
endif()
