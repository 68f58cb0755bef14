// The program's one window procedure.
#pragma once

// Opens the program window, runs its event loop, reporting every change of
// either variable in a message box, and takes it all down when the window
// is closed.
void Quindle();
