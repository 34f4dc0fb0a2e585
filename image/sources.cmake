list(APPEND KESTREL_PORTABLE_SOURCES image/XImage.cpp image/XDocumentLayout.cpp image/XDocumentClipboard.cpp
  image/XDocumentSaveAs.cpp image/ImageWindowOptions.cpp)
# The Tool menu's pixel operations (ImageOps.h), portable.
list(APPEND KESTREL_PORTABLE_SOURCES
  image/ImageLock.cpp
  image/ImageOpMessages.cpp
  image/ops_frame.cpp
  image/ops_scale.cpp
  image/ops_flip_rotate.cpp
  image/TransposePixels.cpp
  image/FlipRow.cpp
  image/ops_crop_erase.cpp
  image/ops_color.cpp
  image/ops_change_color.cpp
  image/ops_count_colors.cpp
  image/ops_reduce_colors.cpp
  image/ops_merge.cpp)
# The GDI half of the image object, the document and its views.
list(APPEND KESTREL_WIN32_SOURCES
  image/XImage_win.cpp
  image/ImageHandover_win.cpp
  image/XDocument.cpp
  image/XDocumentClipboard_win.cpp
  image/XDocumentNoteFile_win.cpp
  image/XDocumentSaveAs_win.cpp
  image/XDocumentState.cpp
  image/XDocumentPending.cpp
  image/XDocumentTools.cpp
  image/ToolDialogs_win.cpp
  image/XViewImage.cpp
  image/XViewImageTools.cpp
  image/XViewNotepad.cpp
  image/XWndFullView.cpp)
