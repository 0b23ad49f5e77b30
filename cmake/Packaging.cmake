# Installing platelier-cli on Linux, and its Debian package made by CPack
# (scripts/make-release.sh): the console program, its manual page, and its
# guide and licence as the package's documentation. Only the console program:
# the dialog is a Win32 program, and on Windows the release archive is the
# program's distribution, so none of this is read there.
include(GNUInstallDirs)
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/platelier-cli)
install(TARGETS platelier-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(docs/platelier-cli.1.in platelier-cli.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/platelier-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES docs/command-line.md DESTINATION ${doc_dir})
# Debian's name for the licence of a package.
install(FILES LICENSE DESTINATION ${doc_dir} RENAME copyright)

set(PLATELIER_PACKAGE_MAINTAINER "The Platelier developers" CACHE STRING
    "The Debian package's Maintainer field: Name <address>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME platelier-cli)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check and repair the links of DCS filesets")
set(CPACK_PACKAGE_DESCRIPTION [[
platelier-cli checks whole folders of DCS filesets, a master EPS file and
its four colour separation files, and tells which masters name separation
files that were renamed or are missing. It writes the new names into the
masters, keeping each previous master as a .BAK backup, and renames
separation files, with the same rules as the Platelier program.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PLATELIER_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Depends on the C and C++ libraries the program was linked with, as
# dpkg-shlibdeps (dpkg-dev) finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
