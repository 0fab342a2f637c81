# System libraries the program does not need before its window shows are loaded at their first
# call instead of with the program: loading them costs a good part of the start-up. The delay
# helper comes from the static mingw-w64 runtime, so this works on Windows XP as well.
#
# velmora_delay_import(<lib> <dll>) makes the target system_<lib> for the libraries to link.
# A program whose property VELMORA_DELAY_IMPORTS is on gets the DLL delay-loaded, through an
# import library built from the toolchain's own lib<lib>.a (its functions only; data cannot be
# delay-loaded); everything else (the control libraries, the tests) imports it as usual.

set(VELMORA_TOOL_PREFIX ${VELMORA_ARCH}-w64-mingw32-)
find_program(VELMORA_NM ${VELMORA_TOOL_PREFIX}nm REQUIRED)
find_program(VELMORA_DLLTOOL ${VELMORA_TOOL_PREFIX}dlltool REQUIRED)

function(velmora_delay_import lib dll)
    find_library(VELMORA_IMPORT_${lib} NAMES lib${lib}.a REQUIRED NO_CACHE)
    set(dir ${CMAKE_BINARY_DIR}/delay-imports)
    set(def ${dir}/${lib}.def)
    set(out ${dir}/lib${lib}_delayed.a)
    file(MAKE_DIRECTORY ${dir})
    if(NOT EXISTS ${out} OR ${VELMORA_IMPORT_${lib}} IS_NEWER_THAN ${out})
        execute_process(COMMAND ${VELMORA_NM} --defined-only ${VELMORA_IMPORT_${lib}}
                        OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
        # A function has a call thunk (text symbol); i686 names carry a leading underscore and
        # stdcall ones the argument size (@N), which --kill-at drops from the imported name.
        string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\n]+" thunks "${symbols}")
        set(exports "")
        foreach(thunk IN LISTS thunks)
            string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" name "${thunk}")
            if(VELMORA_ARCH STREQUAL "i686")
                string(REGEX REPLACE "^_" "" name "${name}")
            endif()
            string(APPEND exports "${name}\n")
        endforeach()
        file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}")
        set(kill_at "")
        if(VELMORA_ARCH STREQUAL "i686")
            set(kill_at --kill-at)
        endif()
        execute_process(COMMAND ${VELMORA_DLLTOOL} ${kill_at} --input-def ${def} --dllname ${dll}
                                --output-delaylib ${out}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
    add_library(delayed_${lib} STATIC IMPORTED GLOBAL)
    set_target_properties(delayed_${lib} PROPERTIES IMPORTED_LOCATION ${out})
    add_library(system_${lib} INTERFACE)
    target_link_libraries(system_${lib} INTERFACE
        "$<IF:$<BOOL:$<TARGET_PROPERTY:VELMORA_DELAY_IMPORTS>>,delayed_${lib},${lib}>")
endfunction()

# Only the downloads use sockets; the shell and the common controls come with the first page or
# window that needs them, OLE with the browsers, the file dialogs with the first one shown, GDI+
# with the first picture the program's own decoders leave to it.
velmora_delay_import(ws2_32 WS2_32.dll)
velmora_delay_import(shell32 SHELL32.dll)
velmora_delay_import(comctl32 COMCTL32.dll)
velmora_delay_import(ole32 ole32.dll)
velmora_delay_import(oleaut32 OLEAUT32.dll)
velmora_delay_import(gdiplus gdiplus.dll)
velmora_delay_import(comdlg32 COMDLG32.dll)
