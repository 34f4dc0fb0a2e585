list(APPEND KESTREL_PORTABLE_SOURCES framework/CpuFeatures.cpp framework/File.cpp framework/Progress.cpp framework/RecentFileList.cpp)
# The display facts join the core on Windows, so the Win32 test programs
# that link only the core read the display as the program does; each
# platform brings its own file mapping.
if(WIN32)
  list(APPEND KESTREL_PORTABLE_SOURCES framework/Display_win.cpp framework/MappedFile_win.cpp)
else()
  list(APPEND KESTREL_PORTABLE_SOURCES framework/MappedFile_posix.cpp)
endif()
# The thin application framework over USER, GDI and the common controls.
list(APPEND KESTREL_WIN32_SOURCES
  framework/ColorDialog.cpp
  framework/ControlBars.cpp
  framework/Dialog.cpp
  framework/DocTemplate.cpp
  framework/Document.cpp
  framework/MDIChildWindow.cpp
  framework/MDIFrameWindow.cpp
  framework/RecentFileList_win.cpp
  framework/ShowMessage.cpp
  framework/Splitter.cpp
  framework/View.cpp
  framework/WinApp.cpp
  framework/Window.cpp)
