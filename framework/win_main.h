// The framework's program entry: runs the one application object.
#pragma once

// Takes the application's name when it has none, runs InitInstance and then the message
// loop, or ExitInstance alone when InitInstance refuses. Returns the process's exit code.
int AfxWinMain();
