# The Debian package, made by `cpack -G DEB` in the build tree (scripts/package.sh).
# CPack is made to follow Debian policy, so that lintian accepts the package: the
# programs go in stripped, their debug symbols into volantra-dbgsym; the manual pages
# and the changelog go in compressed, the copyright beside the changelog.
if(NOT VOLANTRA_GUI)
    return()  # a package without the desktop program would be no package of Volantra
endif()

set(VOLANTRA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/volantra)
set(VOLANTRA_PACKAGING_DIR ${PROJECT_BINARY_DIR}/packaging)

# copyright, in Debian's machine-readable format, carries LICENSE's text: its lines
# indented by one space, empty lines written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(FIND "${license}" "Permission is hereby granted" terms_start)
if(terms_start EQUAL -1)
    message(FATAL_ERROR "LICENSE does not hold the MIT terms the copyright file quotes")
endif()
string(SUBSTRING "${license}" ${terms_start} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
set(VOLANTRA_LICENSE_PARAGRAPH " ${terms}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${VOLANTRA_PACKAGING_DIR}/copyright
               @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

# -n leaves the file name and time out of the gzip header, so the package is reproducible.
add_custom_command(
    OUTPUT ${VOLANTRA_PACKAGING_DIR}/changelog.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${VOLANTRA_PACKAGING_DIR}/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
    VERBATIM)
add_custom_target(volantra_changelog ALL DEPENDS ${VOLANTRA_PACKAGING_DIR}/changelog.gz)

# The shipped programs resolve their symbols at start, so their relocations can all be
# made read-only (full RELRO), as in Debian's hardened builds.
foreach(program volantra volantra-price)
    target_link_options(${program} PRIVATE LINKER:-z,now)
endforeach()

install(FILES ${VOLANTRA_PACKAGING_DIR}/copyright ${VOLANTRA_PACKAGING_DIR}/changelog.gz
        DESTINATION ${VOLANTRA_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME volantra)
set(CPACK_PACKAGE_VENDOR "The Volantra team")
set(CPACK_PACKAGE_CONTACT "The Volantra team <team@volantra.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Black-Scholes calculator for European stock options")
# CPack puts the summary first and wraps nothing: the lines stay under 80 columns here.
set(CPACK_PACKAGE_DESCRIPTION "Volantra prices European calls and puts, with their delta, gamma, theta,
vega and rho, on a desktop screen: type the asset price, the strike and the
days to maturity, move the volatility and interest bars, and read the results.
.
The volantra-price command prices whole CSV files with the same digits, and
the Python module volantra prices numpy arrays and pandas frames with them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Names the source of both packages, so lintian checks the two together.
set(CPACK_DEBIAN_PACKAGE_SOURCE volantra)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageStaging.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageDebugSymbols.cmake)
# Directories made during packaging get 0755 whatever the umask of who builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The substitute faces the screens are laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
if(TARGET _volantra)
    # The Python module is for this interpreter's version and works on numpy arrays;
    # frames and clusters need pandas and Dask.
    set(version ${VOLANTRA_PYTHON_MAJOR}.${VOLANTRA_PYTHON_MINOR})
    math(EXPR next "${VOLANTRA_PYTHON_MINOR} + 1")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
        "python3 (>= ${version}), python3 (<< ${VOLANTRA_PYTHON_MAJOR}.${next}), python3-numpy")
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-pandas, python3-dask, python3-distributed")
endif()
include(CPack)
