# "Archivos" tab, loading: the read options dialog, the grid (model, delegate, view), the progress
# dialog, the open command and the remembered settings.
list(APPEND UI_SOURCES
  ${PROJECT_SOURCE_DIR}/files/UOpciones.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archivos_carga.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grilla_modelo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grilla_delegado.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grilla_vista.cpp
  ${CMAKE_CURRENT_LIST_DIR}/progreso.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferencias.cpp)
