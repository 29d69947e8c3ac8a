// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Signal handlers that set a flag for the window's loop to act on, and the request to come forward
// with its answer.
#pragma once

// Calls handler (which may only set flags) on signal, restarting interrupted system calls.
void CatchSignal(int signal, void (*handler)(int));

// The running copy's side. From here on SIGUSR1, another start's request to bring the window
// forward, is kept with the asking process's id instead of ending the process.
void ListenForComeForwardRequests();
// True while a request waits for its answer.
bool HasComeForwardRequest();
// Tells every process that asked that the window came forward, and forgets the requests; returns
// how many were answered. The answer is SIGURG, whose default action is to ignore it: a process
// that did not ask (its id taken anew) is never ended by it.
int AnswerComeForwardRequests();

// The asking start's side: from here on an answer is caught (call it before asking).
void ListenForComeForwardAnswers();
// True once the process pid has answered since ListenForComeForwardAnswers.
bool HasAnswered(int pid);
