# Hook library kesthook.dll. The click-state logic is portable and also
# joins the core so that the native tests exercise it.
list(APPEND KESTREL_HOOK_SOURCES hook/kesthook.cpp hook/ClickState.cpp)
list(APPEND KESTREL_PORTABLE_SOURCES hook/ClickState.cpp)
