// The setup dialogs of the Options menu that edit capture options: Capture
// Setup (32808), HotKey Setup (32811) and HotButton Setup (32812). Each
// runs its dialog over the live options; OK makes the new values live at
// once and writes their keys, Cancel changes and writes nothing.
#pragma once

class AppSettings;
class XMainFrame;

// OK also applies the running mode to frame, once, after every page has
// been made live.
void RunCaptureSetup(AppSettings& settings, XMainFrame& frame);
void RunHotKeySetup(AppSettings& settings);
void RunHotButtonSetup(AppSettings& settings);
