// The input of a selection made with the left button held down (the Region
// rubber band, the freehand stroke): waits for mouse messages and takes only
// those, leaving every other message queued until the selection ends.
#pragma once

enum class SelectionInput { kMove, kRelease };

// Waits for the next mouse message and removes it. kRelease for the left
// button's release; also when the button is found up, or the main frame
// has lost the mouse, with no mouse message waiting, so that a release
// that went to another window can never keep a selection running.
SelectionInput NextSelectionInput();
