# Checks of embra-preview, run by CTest as `cmake -DPREVIEW=<exe> -DWORK=<dir> -P`:
# for every effect, one worker gives the same bytes on every run and the raw band is
# W x 200 x 4 bytes; bad arguments end with exit code 2 and a message.
file(MAKE_DIRECTORY ${WORK})
foreach(effect embra glimra ripla)
    set(run --effect ${effect} --screen 640x480 --workers 1 --seed 77 --frames 25 --set vis=80)
    foreach(n 1 2)
        execute_process(COMMAND ${PREVIEW} ${run} --out ${WORK}/${effect}${n}.png
                                --raw ${WORK}/${effect}${n}.bgra RESULT_VARIABLE code)
        if(NOT code EQUAL 0)
            message(FATAL_ERROR "${effect} run ${n} ended with ${code}")
        endif()
    endforeach()
    file(SIZE ${WORK}/${effect}1.bgra size)
    if(NOT size EQUAL 512000)
        message(FATAL_ERROR "${effect}: raw band of ${size} bytes, expected 640 x 200 x 4")
    endif()
    file(SHA256 ${WORK}/${effect}1.bgra first)
    file(SHA256 ${WORK}/${effect}2.bgra second)
    if(NOT first STREQUAL second)
        message(FATAL_ERROR "${effect}: two one-worker runs gave different bands")
    endif()
endforeach()

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
