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
# Wine draws the caption buttons and frame glyphs with Marlett, which Debian ships but
# Wine does not find on its own: without it they show as letters.
if(EXISTS /usr/share/wine/fonts/marlett.ttf)
    file(COPY /usr/share/wine/fonts/marlett.ttf DESTINATION ${PREFIX}/drive_c/windows/Fonts)
endif()
execute_process(COMMAND wineserver -w)
