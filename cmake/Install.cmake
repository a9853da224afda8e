# cmake --install: the design module (s16check::engine), the framework layer
# (s16check::framework), their headers under include/s16check, the
# command-line host s16check with its man page and bash completion, the JSON
# Schema of member files (share/s16check), and a package config for
#   find_package(s16check 0.1 REQUIRED)
#   target_link_libraries(app PRIVATE s16check::engine)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(S16_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/s16check)
set_target_properties(Vekta_DES_csa_s16_09 PROPERTIES EXPORT_NAME engine)
set_target_properties(corvid_framework PROPERTIES EXPORT_NAME framework)
target_include_directories(Vekta_DES_csa_s16_09 PUBLIC $<INSTALL_INTERFACE:${S16_INCLUDE_DIR}>)
target_include_directories(corvid_framework PUBLIC $<INSTALL_INTERFACE:${S16_INCLUDE_DIR}>)
# The installed s16check finds the libraries beside it in ../lib.
set_target_properties(s16check PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
set_target_properties(Vekta_DES_csa_s16_09 PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS Vekta_DES_csa_s16_09 corvid_framework EXPORT s16checkTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${S16_INCLUDE_DIR})
install(TARGETS s16check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(dir framework section shapes tables member)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${S16_INCLUDE_DIR}/${dir} FILES_MATCHING PATTERN "*.h")
endforeach()

set(S16_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/s16check)
install(EXPORT s16checkTargets NAMESPACE s16check:: DESTINATION ${S16_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/s16checkConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/s16checkConfig.cmake INSTALL_DESTINATION ${S16_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/s16checkConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/s16checkConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/s16checkConfigVersion.cmake
        DESTINATION ${S16_CMAKE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/NOTICE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/s16check)
# The JSON Schema of member files, for editors; the bash completion; the man
# page where help2man made one (app/CMakeLists.txt).
install(FILES ${PROJECT_SOURCE_DIR}/schema/member.schema.json DESTINATION ${CMAKE_INSTALL_DATADIR}/s16check)
install(FILES ${PROJECT_SOURCE_DIR}/scripts/s16check-completion.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME s16check)
if(S16_MAN_PAGE)
  install(FILES ${S16_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
