# Checks of embra-preview, run by CTest as `cmake -DPREVIEW=<exe> -DWORK=<dir> -P`:
# for every effect, one worker gives the same bytes on every run and the raw band is
# W x 200 x 4 bytes; two monitors give the whole desktop, their bounding box, transparent
# outside them; bad arguments end with exit code 2 and a message.
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

# A 640 x 480 primary and a 320 x 240 monitor right of it: a 960 x 480 picture whose corner
# below the second monitor is transparent and whose primary is the opaque dark screen.
execute_process(COMMAND ${PREVIEW} --effect embra --monitors 640x480,320x240@640,0 --workers 1
                        --seed 77 --frames 10 --out ${WORK}/two.png --raw ${WORK}/two.bgra
                RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "the two-monitor run ended with ${code}")
endif()
file(SIZE ${WORK}/two.bgra size)
if(NOT size EQUAL 1843200)
    message(FATAL_ERROR "two monitors: ${size} bytes, expected 960 x 480 x 4")
endif()
math(EXPR corner "(479 * 960 + 959) * 4")
file(READ ${WORK}/two.bgra outside OFFSET ${corner} LIMIT 4 HEX)
file(READ ${WORK}/two.bgra screen OFFSET 0 LIMIT 4 HEX)
if(NOT outside STREQUAL "00000000" OR NOT screen STREQUAL "201810ff")
    message(FATAL_ERROR "two monitors: outside ${outside}, on the primary ${screen}")
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
    "${base};--frames"
    "${base};--monitors;640x480,320x240@640"
    "${base};--monitors;640x480@5,0")
foreach(args IN LISTS bad_cases)
    execute_process(COMMAND ${PREVIEW} ${args} RESULT_VARIABLE code ERROR_VARIABLE message)
    if(NOT code EQUAL 2 OR message STREQUAL "")
        message(FATAL_ERROR "'${args}' ended with ${code} and message '${message}'")
    endif()
endforeach()
