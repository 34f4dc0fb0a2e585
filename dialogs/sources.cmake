# Option and file dialogs. Portable: the open dialog's facts line, preview
# placement and preloaded mark.
list(APPEND KESTREL_PORTABLE_SOURCES dialogs/FilePreview.cpp)
