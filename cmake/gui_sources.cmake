# Sources of the platform layer and the screens (Qt).
set(VETRA_GUI_SOURCES
  platform/folder_lock.cpp
  platform/message_box.cpp
  platform/program_folder.cpp
  platform/sound_player.cpp
  platform/help_viewer.cpp
  platform/system_folders.cpp
  platform/text.cpp
  app/datosgen.cpp
  app/drawing.cpp
  app/folder_hold.cpp
  app/help.cpp
  app/mensajes.cpp
  app/pointers.cpp
  app/section_screen.cpp
  app/sounds.cpp
  app/startup.cpp
  app/vetra.cpp
)

# Pictures, pointers and sounds built into the program.
set(VETRA_EMBEDDED_RESOURCES
  cover.png
  signosel.png
  buttons/ayuda.png
  buttons/borrar.png
  buttons/cancelar.png
  buttons/copiar.png
  buttons/guardar.png
  buttons/imprimir.png
  buttons/indice.png
  buttons/reducir.png
  buttons/salir.png
  pointers/manoindice.png
  pointers/manoabierta.png
  pointers/manocerrada.png
  pointers/lapiz.png
  pointers/goma.png
  sounds/1.wav
  sounds/5.wav
  sounds/6.wav
  sounds/7.wav
  sounds/9.wav
  sounds/10.wav
)
list(APPEND VETRA_GUI_SOURCES platform/qt_printer.cpp)
list(APPEND VETRA_GUI_SOURCES platform/print_preview.cpp output/print_job.cpp)
list(APPEND VETRA_GUI_SOURCES matchdays/selection_lists.cpp)
list(APPEND VETRA_GUI_SOURCES maintenance/historic.cpp)
list(APPEND VETRA_EMBEDDED_RESOURCES carpeta.png)
list(APPEND VETRA_GUI_SOURCES
  platform/locale_marks.cpp
  reductions/counter_panel.cpp
  reductions/progress_panel.cpp
  reductions/reducir.cpp
  reductions/sheet_drawing.cpp
)
list(APPEND VETRA_GUI_SOURCES maintenance/borrar.cpp)
# The matchday editor and the team list.
list(APPEND VETRA_GUI_SOURCES
  matchdays/equipos.cpp
  matchdays/jornadas.cpp
)
list(APPEND VETRA_EMBEDDED_RESOURCES buttons/equipos.png buttons/anadir.png)
# The scrutiny screen, and the summary block it shares with the browser and
# the output chooser.
list(APPEND VETRA_GUI_SOURCES
  reductions/summary_drawing.cpp
  scrutiny/escrutin.cpp
)
list(APPEND VETRA_EMBEDDED_RESOURCES buttons/escrutar.png)
# The reduction browser, with its arrows and scroll button.
list(APPEND VETRA_GUI_SOURCES reductions/consredu.cpp)
list(APPEND VETRA_EMBEDDED_RESOURCES buttons/fleizq.png buttons/fleder.png buttons/boton.png)
# The output chooser and the output screen, and the parts of every screen that
# shows a stored reduction: its sheet's pictures, its matchday and order fields.
list(APPEND VETRA_GUI_SOURCES
  output/listados.cpp
  output/salida.cpp
  reductions/stored_sheet.cpp
)
list(APPEND VETRA_EMBEDDED_RESOURCES
  buttons/quiniela.png
  buttons/boletos.png
  buttons/relacion.png
  buttons/disco.png
  buttons/continuo.png
  buttons/mail.png
  buttons/enviar.png
  buttons/repetir.png
  buttons/siguiente.png
  buttons/orientacion1.png
  buttons/orientacion2.png
)
# The drives a copy to disk can go to.
list(APPEND VETRA_GUI_SOURCES platform/drives.cpp)
# The e-mail output: SMTP through libcurl and the log-on dialog.
list(APPEND VETRA_GUI_SOURCES
  platform/mail_logon.cpp
  platform/mail_settings.cpp
  platform/mail_transport.cpp
  platform/mail_wire.cpp
  platform/password_keyring.cpp
)
# The guarantee of a reduction over every result, with its button.
list(APPEND VETRA_GUI_SOURCES reductions/garantia.cpp)
list(APPEND VETRA_EMBEDDED_RESOURCES buttons/garantia.png)
