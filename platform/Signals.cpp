// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Signal handlers through sigaction, and the request to come forward.
#include "platform/Signals.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> g_nComeForwardRequests{0};

extern "C" void OnComeForwardSignal(int) {
    g_nComeForwardRequests.fetch_add(1);
}

} // namespace

void CatchSignal(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

void ListenForComeForwardRequests() {
    CatchSignal(SIGUSR1, OnComeForwardSignal);
}

bool TakeComeForwardRequest() {
    return g_nComeForwardRequests.exchange(0) > 0;
}
