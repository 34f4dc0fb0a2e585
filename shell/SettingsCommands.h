// The application commands that act on the settings file as a whole:
// Master Reset (32815), Load Settings (32816) and Save Settings (32817).
// XApp's command map routes the three ids here.
#pragma once

void RunMasterReset();
void RunLoadSettings();
void RunSaveSettings();
