# An in-process COM server (a control library): the type library compiled from its IDL with
# widl for the target's architecture, embedded as TYPELIB resource 1 beside a version resource
# that marks the library self-registering, the four COM entry points exported undecorated,
# and the library put into the program directory.
#
#   velmora_com_server(Thumb IDL Thumb.idl DESCRIPTION "Thumb thumbnail control"
#                      SOURCES ThumbServer.cpp ... LIBS velmora_com)
# The generated header <idl name>_h.h (interfaces, CLSID_ and IID_ constants) is on the
# library's include path; the constants' definitions are compiled in.

set(VELMORA_IDL_INCLUDE /usr/include/wine/wine/windows CACHE PATH "Folder with the Windows .idl files (libwine-dev)")
set(VELMORA_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH "Folder with stdole2.tlb (wine64)")

function(velmora_com_server name)
    cmake_parse_arguments(S "" "IDL;DESCRIPTION" "SOURCES;LIBS" ${ARGN})
    find_program(VELMORA_WIDL NAMES x86_64-w64-mingw32-widl i686-w64-mingw32-widl widl REQUIRED)
    get_filename_component(idl ${S_IDL} ABSOLUTE)
    get_filename_component(idl_name ${S_IDL} NAME_WE)
    set(gen ${CMAKE_CURRENT_BINARY_DIR}/${name}-generated)
    file(MAKE_DIRECTORY ${gen})
    # A 32-bit library needs a type library of its own: the layouts differ.
    if(VELMORA_ARCH STREQUAL "i686")
        set(bits -m32)
    else()
        set(bits -m64)
    endif()
    set(widl ${VELMORA_WIDL} ${bits} -I ${VELMORA_IDL_INCLUDE} -L ${VELMORA_STDOLE_DIR})
    add_custom_command(OUTPUT ${gen}/${idl_name}_h.h ${gen}/${idl_name}_i.c ${gen}/${idl_name}.tlb
        COMMAND ${widl} -h -H ${gen}/${idl_name}_h.h ${idl}
        COMMAND ${widl} -u -U ${gen}/${idl_name}_i.c ${idl}
        COMMAND ${widl} -t -o ${gen}/${idl_name}.tlb ${idl}
        DEPENDS ${idl}
        COMMENT "widl ${idl_name}.idl")

    set(VELMORA_SERVER_NAME ${name})
    set(VELMORA_SERVER_DESCRIPTION ${S_DESCRIPTION})
    set(VELMORA_SERVER_TLB ${gen}/${idl_name}.tlb)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/ComServer.rc.in ${gen}/${name}.rc @ONLY)
    set_source_files_properties(${gen}/${name}.rc PROPERTIES OBJECT_DEPENDS ${gen}/${idl_name}.tlb)

    # The identifiers' definitions, compiled with the rest of the library's C++.
    set_source_files_properties(${gen}/${idl_name}_i.c PROPERTIES LANGUAGE CXX)
    add_library(${name} SHARED ${S_SOURCES} ${gen}/${idl_name}_h.h ${gen}/${idl_name}_i.c ${gen}/${name}.rc
                ${CMAKE_SOURCE_DIR}/cmake/ComServer.def)
    target_compile_options(${name} PRIVATE ${VELMORA_WARNINGS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    # Generated like the system's interface headers, and held to their standard.
    target_include_directories(${name} SYSTEM PRIVATE ${gen})
    target_link_libraries(${name} PRIVATE ${S_LIBS})
    # regsvr32 and COM find the entry points by their plain names, also in the 32-bit build.
    target_link_options(${name} PRIVATE -Wl,--kill-at)
    if(VELMORA_ARCH STREQUAL "i686")
        # The .def names the stdcall entry points undecorated, as intended.
        target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
    endif()
    set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
        RUNTIME_OUTPUT_DIRECTORY ${VELMORA_DIST})
endfunction()
