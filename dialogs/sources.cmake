# Option and file dialogs. Portable: the open dialog's facts line, preview
# placement and previewed image; the HotKey dialog's rules. Win32: the open
# and save dialogs, the HotKey and HotButton setup dialogs.
list(APPEND KESTREL_PORTABLE_SOURCES dialogs/FilePreview.cpp dialogs/HotKeyRules.cpp)
list(APPEND KESTREL_WIN32_SOURCES
  dialogs/XDialogFile4_win.cpp
  dialogs/SaveImageDialog_win.cpp
  dialogs/HotKeyDialog_win.cpp
  dialogs/HotButtonDialog_win.cpp)
