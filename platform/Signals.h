// Signal handlers that set a flag for the window's loop to act on.
#pragma once

// Calls handler (which may only set flags) on signal, restarting interrupted system calls.
void CatchSignal(int signal, void (*handler)(int));
