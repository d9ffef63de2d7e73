# Qt Test executables of this part: the read options dialog, the grid, and the tab's loading.
foreach(prueba test_carga_opciones test_carga_grilla test_carga_archivos)
  add_executable(${prueba} ${CMAKE_CURRENT_LIST_DIR}/${prueba}.cpp)
  target_link_libraries(${prueba} PRIVATE ui Qt6::Test)
  set_target_properties(${prueba} PROPERTIES AUTOMOC ON)
  target_compile_definitions(${prueba} PRIVATE CAPTURAS_DIR="${CMAKE_BINARY_DIR}/capturas")
  add_test(NAME ${prueba} COMMAND ${prueba})
  set_tests_properties(${prueba} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endforeach()
