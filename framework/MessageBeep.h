#pragma once

// The system's warning sound, for a refused key stroke.
void MessageBeep(unsigned type);
// How many beeps the program has given, so that a refusal can be seen.
int MessageBeeps();
