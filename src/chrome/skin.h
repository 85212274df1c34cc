#pragma once

// Gives every window of the program one look: applied when the main window
// opens, in force until the program ends. Nothing is written to disk for it.
void install_skin();

// The style sheet install_skin applies.
const char* skin_style_sheet();
