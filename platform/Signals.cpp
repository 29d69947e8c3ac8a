// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Signal handlers through sigaction, and the request to come forward with its answer.
#include "platform/Signals.h"

#include <atomic>
#include <csignal>
#include <sys/types.h>

namespace {

// Starts that asked and wait for an answer; more at once than this are not answered (they stop
// waiting after a while and say that the game is running).
constexpr int MAX_WAITING_ASKERS = 8;
std::atomic<pid_t> g_arrAskers[MAX_WAITING_ASKERS];
std::atomic<pid_t> g_nAnsweredBy{0};

extern "C" void OnComeForwardSignal(int, siginfo_t* info, void*) {
    for (auto& asker : g_arrAskers) {
        pid_t none = 0;
        if (asker.compare_exchange_strong(none, info->si_pid > 0 ? info->si_pid : -1)) return;
    }
}

extern "C" void OnComeForwardAnswer(int, siginfo_t* info, void*) {
    // Only another process's kill(): the kernel's own SIGURG (a socket's urgent data) is no answer.
    if (info->si_code == SI_USER || info->si_code == SI_QUEUE) g_nAnsweredBy.store(info->si_pid);
}

void CatchWithSender(int signal, void (*handler)(int, siginfo_t*, void*)) {
    struct sigaction action {};
    action.sa_sigaction = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_SIGINFO;
    sigaction(signal, &action, nullptr);
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
    CatchWithSender(SIGUSR1, OnComeForwardSignal);
}

bool HasComeForwardRequest() {
    for (const auto& asker : g_arrAskers)
        if (asker.load() != 0) return true;
    return false;
}

int AnswerComeForwardRequests() {
    int answered = 0;
    for (auto& asker : g_arrAskers) {
        const pid_t pid = asker.exchange(0);
        if (pid == 0) continue;
        ++answered;
        if (pid > 0) kill(pid, SIGURG);
    }
    return answered;
}

void ListenForComeForwardAnswers() {
    g_nAnsweredBy.store(0);
    CatchWithSender(SIGURG, OnComeForwardAnswer);
}

bool HasAnswered(int pid) {
    return pid > 0 && g_nAnsweredBy.load() == pid;
}
