# What `cmake --install` puts in place for programs that use the library, all in the
# component "dev": the merged static library, the public headers, the CMake package
# (find_package(TavikButton 2.0)) and the pkg-config file tavik-button.pc. The program's own
# files are in the default component and its package leaves this one out.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/TavikButton)
configure_package_config_file(TavikButtonConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/TavikButtonConfig.cmake
    INSTALL_DESTINATION ${config_dir}
    PATH_VARS CMAKE_INSTALL_LIBDIR CMAKE_INSTALL_INCLUDEDIR)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/TavikButtonConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
# The pkg-config file finds the prefix from its own place, wherever the files are installed.
file(RELATIVE_PATH TAVIK_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" TAVIK_PC_TO_PREFIX ${TAVIK_PC_TO_PREFIX})
configure_file(tavik-button.pc.in ${CMAKE_CURRENT_BINARY_DIR}/tavik-button.pc @ONLY)

install(FILES ${merged} DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
# An installation that strips (cmake --install --strip, a package) leaves the debugging
# information out of the library, as Debian's packages of static libraries do.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND ${CMAKE_STRIP} --strip-debug
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/libtavik-button.a\"
        COMMAND_ERROR_IS_FATAL ANY)
endif()" COMPONENT dev)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tavik DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT dev)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/TavikButtonConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/TavikButtonConfigVersion.cmake
        DESTINATION ${config_dir} COMPONENT dev)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tavik-button.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
