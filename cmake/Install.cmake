# What `cmake --install` puts in place: the editor with its desktop entry
# and icon, the command-line tool, the sample data and the documentation.
include(GNUInstallDirs)

if(TARGET rollpath)
    install(TARGETS rollpath RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ui/resources/rollpath.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ui/resources/rollpath.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

install(TARGETS rollpath-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY samples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/rollpath/samples)
install(FILES README.md docs/user-guide.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rollpath)
install(DIRECTORY docs/pictures DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rollpath FILES_MATCHING PATTERN "*.png")
