// Start-up and the platform's event function: the editor's environment, the
// Messenger's life from the initialisation event to the exit event. A failure
// in any event is reported on standard error and ends the program with status 0.
#pragma once

namespace application {

// Locale and environment variables for the editor, before the loop starts.
void prepare_environment();

// The function handed to InkViewMain.
int event_function(int type, int par1, int par2);

// Everything main does; returns main's exit status.
int run(int argc, char** argv);

}
