list(APPEND KESTREL_PORTABLE_SOURCES image/XImage.cpp image/Progress.cpp)
