// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Signal handlers that set a flag for the window's loop to act on.
#pragma once

// Calls handler (which may only set flags) on signal, restarting interrupted system calls.
void CatchSignal(int signal, void (*handler)(int));

// From here on SIGUSR1, another start's request to bring the window forward, is counted instead
// of ending the process.
void ListenForComeForwardRequests();
// True once for each request that reached this process since the last call.
bool TakeComeForwardRequest();
