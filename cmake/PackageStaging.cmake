# Run by CPack in the staging tree, before it splits off the debug symbols and packs:
# drops the compilers' .comment notes from the programs and the Python module, as
# dh_strip does, since
# nothing reads them at run time.
find_program(VOLANTRA_OBJCOPY objcopy REQUIRED)
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
if(NOT programs)
    message(FATAL_ERROR "no programs in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
# The Python module, when it is built, is a shared object like them.
file(GLOB modules
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/lib/python3/dist-packages/volantra/*.so")
list(APPEND programs ${modules})
foreach(program IN LISTS programs)
    execute_process(COMMAND ${VOLANTRA_OBJCOPY} --remove-section=.comment ${program}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
