# Capture engine. Portable geometry and naming are unit-tested on the host;
# the rest talks to the display and builds only into kestrel.exe.
list(APPEND KESTREL_WIN32_SOURCES)
