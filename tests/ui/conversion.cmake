# Qt Test executables of the main window and the "Conversión" tab.
foreach(prueba entrada grupos acciones mensajes locale captura)
  add_executable(test_conversion_${prueba} ${CMAKE_CURRENT_LIST_DIR}/test_conversion_${prueba}.cpp)
  target_link_libraries(test_conversion_${prueba} PRIVATE ui Qt6::Test)
  target_compile_definitions(test_conversion_${prueba} PRIVATE
    ZUVELO_CAPTURAS="${CMAKE_BINARY_DIR}/capturas")
  set_target_properties(test_conversion_${prueba} PROPERTIES AUTOMOC ON)
  add_test(NAME ui_conversion_${prueba} COMMAND test_conversion_${prueba})
  set_tests_properties(ui_conversion_${prueba} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endforeach()
