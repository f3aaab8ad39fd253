# Games of bitrook-uci through polyglot under the xboard GUI, headless; see uci_games.sh.
add_test(NAME uci_games
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/uci_games.sh $<TARGET_FILE:bitrook-uci>
          ${PROJECT_BINARY_DIR}/uci-games)
set_tests_properties(uci_games PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
