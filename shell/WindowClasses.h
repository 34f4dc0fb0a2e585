// The program's own window classes, registered at start-up after the full
// load of the settings.
#pragma once

#include <string>

// Registers the program's window classes in order and creates the hidden
// cover window; false at the first failure (later classes are then not
// registered). The full-screen view's generated class name is kept in
// g_strFullViewClass.
bool RegisterWindowClasses();
extern std::string g_strFullViewClass;
