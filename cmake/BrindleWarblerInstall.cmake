# What `cmake --install` puts under the prefix, and the Debian package CPack makes of it
# (scripts/package). Only the command, the module, the libraries they share, the LV2 bundle,
# the man page and the bash completion: tests, benchmarks and build tools stay in the build.

if(NOT TARGET brindlewarbler OR NOT TARGET BrindleWarbler)
  return()
endif()

# The module finds the libraries beside itself, the command through a path relative to itself: the tree works wherever it is put (DESTDIR, /usr, /opt/...).
file(RELATIVE_PATH bw_bin_to_libs /${BW_INSTALL_BINDIR} /${BW_INSTALL_PRIVATE_LIBDIR})
set_target_properties(brindlewarbler PROPERTIES INSTALL_RPATH "$ORIGIN/${bw_bin_to_libs}")
set(bw_private_targets BrindleWarbler tsra_runtime)
if(TARGET vstgui_runloop)
  list(APPEND bw_private_targets vstgui_runloop)
endif()
set_target_properties(BrindleWarbler PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS brindlewarbler RUNTIME DESTINATION ${BW_INSTALL_BINDIR})
install(TARGETS ${bw_private_targets} LIBRARY DESTINATION ${BW_INSTALL_PRIVATE_LIBDIR})

if(TARGET brindlewarbler_lv2)
  install(TARGETS brindlewarbler_lv2 LIBRARY DESTINATION ${BW_INSTALL_LV2DIR}/brindlewarbler.lv2)
  install(FILES ${BW_LV2_BUNDLE}/manifest.ttl ${BW_LV2_BUNDLE}/mono.ttl ${BW_LV2_BUNDLE}/stereo.ttl
                ${BW_LV2_BUNDLE}/presets.ttl
          DESTINATION ${BW_INSTALL_LV2DIR}/brindlewarbler.lv2)
  if(TARGET brindlewarbler_lv2ui)
    install(TARGETS brindlewarbler_lv2ui LIBRARY DESTINATION ${BW_INSTALL_LV2DIR}/brindlewarbler.lv2)
    install(FILES ${BW_LV2_BUNDLE}/ui.ttl DESTINATION ${BW_INSTALL_LV2DIR}/brindlewarbler.lv2)
  endif()
endif()

# The man page with the project's version, compressed as Debian ships them (man reads it
# either way).
configure_file(${CMAKE_SOURCE_DIR}/cli/brindlewarbler.1.in ${CMAKE_BINARY_DIR}/cli/brindlewarbler.1 @ONLY)
set(bw_man_gz ${CMAKE_BINARY_DIR}/cli/brindlewarbler.1.gz)
add_custom_command(
  OUTPUT ${bw_man_gz}
  COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/cli/brindlewarbler.1 > ${bw_man_gz}
  DEPENDS ${CMAKE_BINARY_DIR}/cli/brindlewarbler.1
  COMMENT "Compressing the man page")
add_custom_target(bw_man_page ALL DEPENDS ${bw_man_gz})
install(FILES ${bw_man_gz} DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/cli/brindlewarbler.bash-completion
        DESTINATION share/bash-completion/completions RENAME brindlewarbler)

# The Debian package.
set(BW_PACKAGE_MAINTAINER "BrindleWarbler developers <brindlewarbler@example.org>"
    CACHE STRING "the Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindlewarbler)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${BW_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tape-emulation audio effect: command, module and LV2 plug-in")
set(CPACK_PACKAGE_DESCRIPTION
"BrindleWarbler emulates a cassette deck: wow and flutter, shaped hiss,
dropouts, saturation, the colour of tape types I, II and IV, an age
control and a two-band noise-reduction compander, with thirteen factory
presets.
.
This package holds the brindlewarbler command, which renders audio files
through the effect module and opens its editor, and the LV2 bundle
brindlewarbler.lv2 (mono and stereo) for LV2 hosts such as Ardour, Carla
and Qtractor.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BW_PACKAGE_MAINTAINER}")
# Depends from the libraries the binaries link. Our own libraries are in the package, so
# dpkg-shlibdeps is told where they are and needs no package for them (it runs in the staging
# folder, hence a path relative to it).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(REGEX REPLACE "^/" "" bw_staged_prefix "${CPACK_PACKAGING_INSTALL_PREFIX}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${bw_staged_prefix}/${BW_INSTALL_PRIVATE_LIBDIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
