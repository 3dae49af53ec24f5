# Run by CPack on the packages it made, before it copies them out. CPack 3.25 writes
# the debug symbol package's md5sums with absolute staging paths, which dpkg --verify
# and lintian reject, and gives it no doc directory. The package is rebuilt the way
# debhelper makes one: relative sums, files 0644, and the doc directory a link,
# /usr/share/doc/volantra-dbgsym -> volantra.
find_program(VOLANTRA_DPKG_DEB dpkg-deb REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "/volantra-dbgsym_[^/]*\\.ddeb$")
        continue()
    endif()
    set(tree "${CPACK_TEMPORARY_DIRECTORY}/dbgsym-tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND ${VOLANTRA_DPKG_DEB} --raw-extract "${package}" "${tree}"
                    COMMAND_ERROR_IS_FATAL ANY)
    file(MAKE_DIRECTORY "${tree}/usr/share/doc")
    file(CREATE_LINK volantra "${tree}/usr/share/doc/volantra-dbgsym" SYMBOLIC)

    set(sums "")
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${tree}" "${tree}/usr/*")
    list(SORT files)
    foreach(file IN LISTS files)
        if(NOT IS_SYMLINK "${tree}/${file}")
            # Debug symbols are data, not programs: 0644, as dh_strip leaves them.
            file(CHMOD "${tree}/${file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
            file(MD5 "${tree}/${file}" sum)
            string(APPEND sums "${sum}  ${file}\n")
        endif()
    endforeach()
    file(WRITE "${tree}/DEBIAN/md5sums" "${sums}")

    file(REMOVE "${package}")
    execute_process(COMMAND ${VOLANTRA_DPKG_DEB} --root-owner-group --build "${tree}" "${package}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
endforeach()
