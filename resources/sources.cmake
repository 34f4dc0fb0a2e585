list(APPEND KESTREL_PORTABLE_SOURCES resources/StringTable.cpp)
