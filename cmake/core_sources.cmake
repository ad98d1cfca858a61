# Sources of the core library: no Qt include may appear in any of them.
set(VETRA_CORE_SOURCES
  app/cp1252.cpp
  app/command_line.cpp
  app/data_folder.cpp
  app/delimited_fields.cpp
  app/file_errors.cpp
  app/opening_reports.cpp
  app/file_io.cpp
  app/general_data.cpp
  app/named_file.cpp
  app/number_format.cpp
  app/numbers.cpp
  app/wait.cpp
  app/list_file.cpp
  matchdays/matchday_file.cpp
  matchdays/team_file.cpp
  reductions/base_file.cpp
  reductions/column_file.cpp
  output/address_file.cpp
)

# Reduction engine: tables, prediction, generation of columns, figures.
list(APPEND VETRA_CORE_SOURCES
  reductions/column_generator.cpp
  reductions/reduction_engine.cpp
  reductions/reduction_figures.cpp
  reductions/reduction_run.cpp
  reductions/reduction_tables.cpp
)
list(APPEND VETRA_CORE_SOURCES maintenance/history_index.cpp)
# The storing of a reduction run: index entry and column file.
list(APPEND VETRA_CORE_SOURCES reductions/reduction_store.cpp)
list(APPEND VETRA_CORE_SOURCES reductions/base_editing.cpp)
# Scrutiny: counting the hits of a stored reduction, and its printed report.
list(APPEND VETRA_CORE_SOURCES
  scrutiny/scrutiny_engine.cpp
  scrutiny/scrutiny_report.cpp
)
# Deletion of the data of a range of matchdays.
list(APPEND VETRA_CORE_SOURCES maintenance/matchday_deletion.cpp)
# The matchday editor's date rule and the order of the team names.
list(APPEND VETRA_CORE_SOURCES
  matchdays/matchday_date.cpp
  matchdays/team_names.cpp
)
# Output: slips on the official slip's boxes, the listings, the screen's fields.
list(APPEND VETRA_CORE_SOURCES
  output/listings.cpp
  output/output_fields.cpp
  output/slip_printing.cpp
)
# The reduction browser's pages, scroll track and column places.
list(APPEND VETRA_CORE_SOURCES reductions/browser_view.cpp)
# The e-mail of a reduction: its subject and text, and the sending.
list(APPEND VETRA_CORE_SOURCES output/mail_address.cpp output/mail_dispatch.cpp)
# The copy to disk: the AD243 records over volumes and the text formats.
list(APPEND VETRA_CORE_SOURCES output/disk_copy.cpp)
# The guarantee of a stored reduction over every possible result.
list(APPEND VETRA_CORE_SOURCES reductions/guarantee.cpp)
# The guarantee as text: printed, mailed and copied to disk.
list(APPEND VETRA_CORE_SOURCES output/guarantee_listing.cpp)
