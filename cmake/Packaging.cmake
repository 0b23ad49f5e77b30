# Installing platelier-cli on Linux: the console program, its manual page,
# and its guide and licence as its documentation. Only the console program:
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
