# Run by CPack in the staging tree, before it splits off the debug symbols and packs:
# drops the compilers' .comment notes from the programs, as dh_strip does, since
# nothing reads them at run time.
find_program(VOLANTRA_OBJCOPY objcopy REQUIRED)
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
if(NOT programs)
    message(FATAL_ERROR "no programs in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
foreach(program IN LISTS programs)
    execute_process(COMMAND ${VOLANTRA_OBJCOPY} --remove-section=.comment ${program}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
