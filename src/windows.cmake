# Windows side: the toolkit (the only code that talks to Win32), the windows' handlers and the exe.

add_library(veilora_toolkit STATIC
  toolkit/handles.cpp
  toolkit/gbk.cpp
  toolkit/program.cpp
  toolkit/loaded_window.cpp
  toolkit/window_commands.cpp
  toolkit/control.cpp
  toolkit/icon_maker.cpp
  toolkit/tray.cpp
  toolkit/skin.cpp
  toolkit/skin_look.cpp
  toolkit/controls/make_control.cpp
  toolkit/controls/text_drawing.cpp
  toolkit/controls/button.cpp
  toolkit/controls/label.cpp
  toolkit/controls/dib.cpp
  toolkit/controls/pic_box.cpp
  toolkit/controls/pic_btn.cpp
  toolkit/controls/trans_label.cpp
  toolkit/controls/slider_bar.cpp
  toolkit/controls/color_picker.cpp
  toolkit/controls/hyper_linker.cpp
)
target_link_libraries(veilora_toolkit PUBLIC veilora_core comctl32 comdlg32 shell32 gdi32 msimg32 user32 advapi32)

add_library(veilora_windows STATIC
  app/globals.cpp
  app/startup.cpp
  setup/setup_window.cpp
  setup/setup_handlers.cpp
  setup/mask_conversion.cpp
  panel/panel_window.cpp
  panel/panel_handlers.cpp
  panel/tray_rule.cpp
  about/about_window.cpp
)
target_link_libraries(veilora_windows PUBLIC veilora_toolkit)

add_executable(veilora WIN32 app/main.cpp app/veilora.rc)
set_source_files_properties(app/veilora.rc PROPERTIES OBJECT_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/app/veilora.manifest)
target_link_libraries(veilora PRIVATE veilora_windows)
if(TARGET veilora_app_icon)
  target_link_libraries(veilora PRIVATE veilora_app_icon)
endif()
set_target_properties(veilora PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
# Sections aligned to pages in the file, so the loader can map the image instead of reading it.
target_link_options(veilora PRIVATE -Wl,--file-alignment=4096)
