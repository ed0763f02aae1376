#pragma once

// Tells the desktop who the program is: its name and version, the menu entry
// its windows belong to (so that docks and task bars group them under it),
// and the icon every window shows in its title bar, task bar and Alt-Tab.
// Call once after the QApplication exists and before the first window shows.
void setUpApplicationIdentity();
