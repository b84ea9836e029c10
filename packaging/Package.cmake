# Makes the packages of one version from the built program (cmake -P, run by the build):
#   Embra-<version>-setup.exe     the per-user setup program (NSIS)
#   Embra-<version>-portable.zip  the program, the README as text and the licence
#   Embra-<version>-debug.zip     embra.exe.debug, the symbols the shipped program lacks
#   Embra-<version>-measure.zip   embra-measure.exe, the tool that measures what Embra costs
#   winget/                       the setup's manifest for the Windows Package Manager: the
#                                 version, default locale and installer files, the last
#                                 with the setup's SHA256 and its address under RELEASE_URL
# Both packages hold the program stripped of its symbols; it names its debug file, so a
# debugger finds the symbols when embra.exe.debug lies beside it.
# Needs PROGRAM, MEASURE (embra-measure.exe), VERSION, SOURCE_DIR, ICON, PICTURES (the setup's
# pictures), LANGUAGES (the setup's languages, made from the translation files), RELEASE_URL,
# STAGE, DIST, OBJCOPY and MAKENSIS.
foreach(variable PROGRAM MEASURE VERSION SOURCE_DIR ICON PICTURES LANGUAGES RELEASE_URL STAGE
        DIST OBJCOPY MAKENSIS)
    if(NOT ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

function(run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed with ${rc}")
    endif()
endfunction()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE} ${DIST})
set(name Embra-${VERSION})

# The symbols go into embra.exe.debug, the program keeps only their file's name.
run(${OBJCOPY} --only-keep-debug ${PROGRAM} embra.exe.debug)
run(${OBJCOPY} --strip-all --add-gnu-debuglink=embra.exe.debug ${PROGRAM} embra.exe)

# Text files with Windows line ends, so that Notepad of any age shows them as written.
file(READ ${SOURCE_DIR}/README.md readme)
file(READ ${SOURCE_DIR}/packaging/LICENSE.txt licence)
foreach(text readme licence)
    string(REPLACE "\r\n" "\n" ${text} "${${text}}")
    string(REPLACE "\n" "\r\n" ${text} "${${text}}")
endforeach()
file(WRITE ${STAGE}/README.txt "${readme}")
file(WRITE ${STAGE}/LICENSE.txt "${licence}")

file(REMOVE ${DIST}/${name}-setup.exe ${DIST}/${name}-portable.zip ${DIST}/${name}-debug.zip
     ${DIST}/${name}-measure.zip)
file(REMOVE_RECURSE ${DIST}/winget)
run(${MAKENSIS} -V2 -DVERSION=${VERSION} -DSTAGE=${STAGE} -DICON=${ICON} -DPICTURES=${PICTURES}
    -DLANGUAGES=${LANGUAGES} -DOUTFILE=${DIST}/${name}-setup.exe
    ${SOURCE_DIR}/packaging/embra.nsi)
run(${CMAKE_COMMAND} -E tar cf ${DIST}/${name}-portable.zip --format=zip
    embra.exe README.txt LICENSE.txt)
run(${CMAKE_COMMAND} -E tar cf ${DIST}/${name}-debug.zip --format=zip
    embra.exe.debug)
file(COPY ${MEASURE} DESTINATION ${STAGE})
run(${CMAKE_COMMAND} -E tar cf ${DIST}/${name}-measure.zip --format=zip
    embra-measure.exe)

# The manifest's schema: the newest the community repository of winget takes.
set(MANIFEST_VERSION 1.12.0)
file(SHA256 ${DIST}/${name}-setup.exe SHA256)
string(TOUPPER ${SHA256} SHA256)
string(REPLACE "<version>" ${VERSION} INSTALLER_URL ${RELEASE_URL}/${name}-setup.exe)
file(GLOB templates ${SOURCE_DIR}/packaging/winget/*.yaml.in)
foreach(template ${templates})
    get_filename_component(manifest ${template} NAME_WLE)
    configure_file(${template} ${DIST}/winget/${manifest} @ONLY NEWLINE_STYLE LF)
endforeach()
