// Default bodies of the title-bar calls (see TitleBarSeams.h): nothing is
// drawn, so no snapshot rectangle other than the empty one reaches the
// hook library and no snapshot press can happen.
#include "TitleBarSeams.h"

void PrepareTitleBar() {}
void UpdateSnapshotButtons(const AppSettings&) {}
void DrawTitleClock(const AppSettings&) {}
void ShowPressedSnapshotButton() {}
int PressedSnapshotCode() { return 0; }
void BuildSnapshotButtons(const AppSettings&) {}
void DeleteSnapshotButtons() {}
