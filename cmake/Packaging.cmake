# Install rules and the Debian package (cpack -G DEB, see scripts/package):
# the contest program and the inspection program each in their own folder
# under lib/r7t with their help pages beside them (where they look for
# them), started through links in bin; r7t and its manual page; desktop
# entries, icons and the file types .r7s and .ctr.
include(GNUInstallDirs)

set(R7T_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(r7t_libdir lib/r7t)
set(r7t_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/r7t)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Compressed as Debian wants them: gzip -9n, no name or time stamp inside.
set(gz_dir ${PROJECT_BINARY_DIR}/packaging)
foreach(pair "docs/r7t.1;r7t.1.gz" "packaging/changelog;changelog.gz"
             "packaging/orvel_r7t.1;orvel_r7t.1.gz" "packaging/orvel_ctrl.1;orvel_ctrl.1.gz")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(OUTPUT ${gz_dir}/${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${gz_dir}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/${source} ${gz_dir}/${target}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND gz_files ${gz_dir}/${target})
endforeach()
add_custom_target(r7t_packaging_files ALL DEPENDS ${gz_files})

install(TARGETS r7t RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${gz_dir}/r7t.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${R7T_PACKAGING_DIR}/copyright ${gz_dir}/changelog.gz DESTINATION ${r7t_docdir})

# A windowed program in lib/r7t/<name>/ with its help, a relative link in
# bin, its desktop entry and icon.
function(r7t_install_windowed_program name help_dir icon)
  install(TARGETS ${name} RUNTIME DESTINATION ${r7t_libdir}/${name})
  if(EXISTS ${help_dir})
    install(DIRECTORY ${help_dir}/ DESTINATION ${r7t_libdir}/${name}/help
      FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
  set(link ${PROJECT_BINARY_DIR}/packaging/bin/${name})
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging/bin)
  file(CREATE_LINK ../lib/r7t/${name}/${name} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${gz_dir}/${name}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${R7T_PACKAGING_DIR}/${name}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps RENAME ${name}.svg)
endfunction()

if(TARGET orvel_r7t)
  r7t_install_windowed_program(orvel_r7t ${PROJECT_SOURCE_DIR}/resources/orvel_r7t/help
    ${PROJECT_SOURCE_DIR}/resources/orvel_r7t/pictures/ICON_R7S.svg)
endif()
# The inspection program joins the package once it is built here.
if(TARGET orvel_ctrl)
  r7t_install_windowed_program(orvel_ctrl ${PROJECT_SOURCE_DIR}/resources/orvel_ctrl/help
    ${R7T_PACKAGING_DIR}/icons/orvel_ctrl.svg)
endif()
install(FILES ${R7T_PACKAGING_DIR}/r7t-mime.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages RENAME r7t.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME r7t)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "R7T contest software <r7t@orvel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "radio-controlled aero-tow glider contest software (class R7T)")
# The synopsis is the summary above; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Runs a contest of class R7T from registration to final results: the
contest program orvel_r7t (competitors, draws of the start groups, scores,
rankings, printed sheets), the glider inspection program orvel_ctrl and the
command r7t for scripts and publishing. Every text is in French.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries (dpkg-shlibdeps); what Qt loads at
# run time (the platform plugins) and the fonts the printed layouts are
# measured with cannot be read from them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
