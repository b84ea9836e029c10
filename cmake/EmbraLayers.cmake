# Each layer folder is one static library. Portable sources are built by both builds;
# files ending in _win.cpp only by the Windows build, files ending in _native.cpp only by
# the native build (the stand-ins for what Windows provides).
function(embra_collect_sources out_var dir)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    if(WIN32)
        list(FILTER sources EXCLUDE REGEX "_native\\.cpp$")
    else()
        list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
    endif()
    set(${out_var} ${sources} PARENT_SCOPE)
endfunction()

function(embra_warnings target)
    target_compile_options(${target} PRIVATE ${EMBRA_WARNINGS})
endfunction()

set(EMBRA_LAYER_LIBS "" CACHE INTERNAL "")

# The Windows libraries each layer calls itself (what `x86_64-w64-mingw32-nm -u` lists as
# __imp_ symbols of the layer's library); a layer gets those of the layers below it through
# them. The effects call no Windows library at all; the app names its own in app/.
set(EMBRA_SYSTEM_LIBS_params advapi32 shlwapi shell32) # registry, SHDeleteKey, folders
set(EMBRA_SYSTEM_LIBS_graphics gdi32 user32)           # DIBs; GetDC, LoadImage
set(EMBRA_SYSTEM_LIBS_system user32 shell32 advapi32)  # hooks, power; the shell's state; the camera key
set(EMBRA_SYSTEM_LIBS_ui user32 gdi32)                 # windows, dialogs; painting
set(EMBRA_SYSTEM_LIBS_settings user32 comdlg32)        # controls; ChooseColor

# The shipped program's code carries symbols for the debug file that the packages keep
# beside the stripped program; they change no generated code. Tests and tools go without.
function(embra_shipped_symbols target)
    if(WIN32)
        target_compile_options(${target} PRIVATE -g)
    endif()
endfunction()

# A layer folder such as effects/fire becomes the library embra_effects_fire.
function(embra_layer dir deps)
    embra_collect_sources(sources ${dir})
    if(NOT sources)
        return()
    endif()
    string(REPLACE "/" "_" name ${dir})
    add_library(embra_${name} STATIC ${sources})
    target_include_directories(embra_${name} PUBLIC ${CMAKE_SOURCE_DIR})
    find_package(Threads REQUIRED)
    target_link_libraries(embra_${name} PUBLIC ${deps} Threads::Threads)
    if(WIN32 AND EMBRA_SYSTEM_LIBS_${name})
        target_link_libraries(embra_${name} PUBLIC ${EMBRA_SYSTEM_LIBS_${name}})
    endif()
    embra_warnings(embra_${name})
    embra_shipped_symbols(embra_${name})
    set(EMBRA_LAYER_LIBS ${EMBRA_LAYER_LIBS} embra_${name} CACHE INTERNAL "")
endfunction()
