# The main window: hotel list, play screen panels, player commands, frame loop
# and the Qt side of the model's seams.
set(_tamsel_window_files
  AutoSaver SaveFailureDialog SessionEndSignals SingleGame BuildingTools ConfirmBox Controls DisplaySettings EventGuard FloorPanel FrameTimer GamePace
  HelpWindow HotelInfoPanel HotelListModel HotelNameBox JournalPanel JournalText JournalWindow
  JournalLink KeyCommands ListPage MainWindowLayout PlayerCommands QtGameTimer QtMessageWindow
  RestoreDialog RoomPanel RuleText SceneSync SceneView TF_Main Tooltips)
set(_tamsel_window_sources ${CMAKE_CURRENT_LIST_DIR}/PaintBox.h ${CMAKE_CURRENT_LIST_DIR}/TD_Sprites.h
  ${CMAKE_CURRENT_LIST_DIR}/TableText.h)
foreach(_file IN LISTS _tamsel_window_files)
  list(APPEND _tamsel_window_sources ${CMAKE_CURRENT_LIST_DIR}/${_file}.cpp ${CMAKE_CURRENT_LIST_DIR}/${_file}.h)
endforeach()
add_library(tamsel_ui STATIC ${_tamsel_window_sources})
target_include_directories(tamsel_ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tamsel_ui PUBLIC tamsel_model tamsel_scene tamsel_widgets Qt6::Widgets Qt6::Charts Qt6::Network)
