// Recording stand-ins for what the capture dispatch calls: the capture
// engine, the title-bar decorations and the capture kinds not built yet.
#pragma once

#include "shell/AppSettings.h"

#include <string>
#include <vector>

// The settings the test frame dispatches with.
AppSettings& TestSettings();

// Names of the stand-ins called, in order.
extern std::vector<std::string> g_calls;
// What PressedSnapshotCode returns.
extern int g_nPressedSnapshotCode;

int CallCount(const std::string& name);
