#pragma once

// The screen mode the player chose in the mode dialog.
struct ModeRequest {
    int card;
    int width = 640;
    int height = 480;
    int depth = 15;
};

// From process entry to a loaded data file and a back buffer: the library,
// its drivers, the start-up log, the mode dialog and vexo.dat. Ends the
// process itself on every failure.
void start_up(ModeRequest& mode);
// Creates and clears the back buffer of the chosen size; exits on failure.
struct BITMAP* create_back_buffer(const ModeRequest& mode);
