// The program's start and end.
#pragma once

namespace quorvale {

// Runs the program to its end; 0 once 窗口 is gone. Does not return when the
// start window cannot be made: the user is told and the process ends with -1.
int start_program();

// The exit routine: releases the state that outlives the handlers.
void release_program_state();

}  // namespace quorvale
