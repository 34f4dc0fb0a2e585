# kestrel-convert: batch conversion through the program's own codecs.
add_executable(kestrel-convert tools/convert/kestrel_convert.cpp)
target_link_libraries(kestrel-convert PRIVATE kestrel_core)
if(WIN32)
  target_link_options(kestrel-convert PRIVATE -static -static-libgcc -static-libstdc++)
endif()
