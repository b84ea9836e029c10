# Checks of embra-preview, run by CTest as `cmake -DPREVIEW=<exe> -DWORK=<dir> -P`:
# one worker gives the same bytes on every run, the raw band is W x 200 x 4 bytes, and
# bad arguments end with exit code 2 and a message.
file(MAKE_DIRECTORY ${WORK})
set(run --effect embra --screen 640x480 --workers 1 --seed 77 --frames 25 --set vis=80)
foreach(n 1 2)
    execute_process(COMMAND ${PREVIEW} ${run} --out ${WORK}/run${n}.png --raw ${WORK}/run${n}.bgra
                    RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "run ${n} ended with ${code}")
    endif()
endforeach()
file(SIZE ${WORK}/run1.bgra size)
if(NOT size EQUAL 512000)
    message(FATAL_ERROR "raw band of ${size} bytes, expected 640 x 200 x 4")
endif()
file(SHA256 ${WORK}/run1.bgra first)
file(SHA256 ${WORK}/run2.bgra second)
if(NOT first STREQUAL second)
    message(FATAL_ERROR "two one-worker runs gave different bands")
endif()

set(base --effect embra --screen 640x480 --workers 1 --seed 1 --frames 2 --out ${WORK}/bad.png)
set(bad_cases
    "--effect;nosuch;--screen;640x480;--workers;1;--seed;1;--frames;2;--out;${WORK}/bad.png"
    "--effect;embra;--screen;640;--workers;1;--seed;1;--frames;2;--out;${WORK}/bad.png"
    "--effect;embra;--screen;640x480;--workers;0;--seed;1;--frames;2;--out;${WORK}/bad.png"
    "--effect;embra;--screen;640x480;--workers;1;--frames;2;--out;${WORK}/bad.png"
    "--effect;embra;--screen;640x480;--workers;1;--seed;1;--frames;2"
    "${base};--set;nosuch=1"
    "${base};--set;vis=5"
    "${base};--taskbar;middle"
    "${base};--frames")
foreach(args IN LISTS bad_cases)
    execute_process(COMMAND ${PREVIEW} ${args} RESULT_VARIABLE code ERROR_VARIABLE message)
    if(NOT code EQUAL 2 OR message STREQUAL "")
        message(FATAL_ERROR "'${args}' ended with ${code} and message '${message}'")
    endif()
endforeach()
