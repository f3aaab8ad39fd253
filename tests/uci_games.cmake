# Games of bitrook-uci, driven by polyglot, under the xboard GUI headless; see xboard_games.sh.
add_test(NAME uci_games
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/xboard_games.sh --uci $<TARGET_FILE:bitrook-uci>
          ${PROJECT_BINARY_DIR}/uci-games)
set_tests_properties(uci_games PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
