# Qt Test executable of the window checks driven like a user: open editors, resizing, the pointer.
add_executable(test_ventana_usuario ${CMAKE_CURRENT_LIST_DIR}/test_ventana_usuario.cpp)
target_link_libraries(test_ventana_usuario PRIVATE ui Qt6::Test)
set_target_properties(test_ventana_usuario PROPERTIES AUTOMOC ON)
add_test(NAME test_ventana_usuario COMMAND test_ventana_usuario)
set_tests_properties(test_ventana_usuario PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60)
