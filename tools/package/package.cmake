# Installation as Debian's own engines are installed, and the Debian package built from the
# same rules: the programs in games/, the manual page in section 6, and the plugin file by
# which xboard lists the engine.
set(BITROOK_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/bitrook.6.gz)
add_custom_command(OUTPUT ${BITROOK_MAN_PAGE}
  COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/tools/package/bitrook.6 > ${BITROOK_MAN_PAGE}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/package/bitrook.6
  COMMENT "Compressing the manual page")
add_custom_target(bitrook_man_page ALL DEPENDS ${BITROOK_MAN_PAGE})

install(TARGETS bitrook bitrook-uci RUNTIME DESTINATION games)
install(FILES ${BITROOK_MAN_PAGE} DESTINATION share/man/man6)
# xboard's engine list: at startup xboard adds to it each engine whose file appeared in this
# folder since it last saved its settings. The file's first line is the format's fixed
# header, which xboard reads word for word (keep it as it is); then the engine's command
# and the variants it plays.
install(FILES tools/package/bitrook.eng DESTINATION share/games/plugins/xboard)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bitrook)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess engine for xboard and UCI interfaces")
set(CPACK_PACKAGE_DESCRIPTION "bitrook plays chess through a graphical chess interface:
bitrook speaks the xboard protocol (version 2), bitrook-uci the Universal
Chess Interface. It searches by iterative deepening with principal-variation
alpha-beta and a quiescence search, and evaluates with a hand-written sum of
terms.")
set(CPACK_PACKAGE_CONTACT "bitrook developers <bitrook@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The shared libraries the programs link, found by dpkg-shlibdeps rather than typed here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xboard, polyglot")
include(CPack)
