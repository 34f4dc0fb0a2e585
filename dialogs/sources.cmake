# Option and file dialogs. Portable: the open dialog's facts line, preview
# placement and previewed image. Win32: the open and save dialogs.
list(APPEND KESTREL_PORTABLE_SOURCES dialogs/FilePreview.cpp)
list(APPEND KESTREL_WIN32_SOURCES dialogs/XDialogFile4_win.cpp dialogs/SaveImageDialog_win.cpp)
