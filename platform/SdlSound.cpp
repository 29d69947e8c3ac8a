// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL audio device: its own thread opens, pauses and closes it; the audio callback mixes the
// voices; the window thread only hands over which sound to start, through a lock-free ring.
#include "platform/SdlSound.h"

#include "platform/Clock.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string_view>

namespace {

// 256 frames are 5.3 ms at 48 kHz: a sound starts within a few milliseconds of being asked for.
constexpr uint16_t BUFFER_FRAMES = 256;
// A sound asked for this long before the callback could start it (the device was opening) is
// left out: late, it would no longer belong to what the child sees.
constexpr uint32_t LATE_MS = 100;
// The device closes once the last sound has ended and no input came for this long: SDL keeps a
// paused device's thread waking every buffer, and only a closed one costs nothing. Long enough
// to span a quick child's turns; a slower one's next key opens the device again before Enter,
// and even a sound asked for while it opens is played (within LATE_MS).
constexpr uint32_t CLOSE_AFTER_MS = 5000;
// The sound thread lets the first frame have the machine first: loading the audio libraries
// and making the sounds would otherwise compete with start-up on a small machine.
constexpr auto START_DELAY = std::chrono::milliseconds(250);
// After the last sound should have ended, a little more before the device is paused.
constexpr auto TAIL = std::chrono::milliseconds(60);

extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA writes its own lines to stderr when it finds no card; the game says it once itself.
// SDL loads the library on its own, so its error handler is reached through the loader.
void QuietAlsa() {
    const char* driver = SDL_GetCurrentAudioDriver();
    if (!driver || std::string_view(driver) != "alsa") return;
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!library) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    if (auto set = reinterpret_cast<int (*)(Handler)>(dlsym(library, "snd_lib_error_set_handler")))
        set(IgnoreAlsaError);
    dlclose(library); // SDL still holds it
}

} // namespace

CSdlSound::CSdlSound(int rate, std::function<asSOUNDS()> makeSounds) : m_nRate(rate) {
    m_Thread = std::thread([this, make = std::move(makeSounds)] { RunThread(make); });
}

CSdlSound::~CSdlSound() {
    {
        std::lock_guard lock(m_Mutex);
        m_bStop = true;
    }
    m_Wake.notify_one();
    m_Thread.join();
}

void CSdlSound::Play(int id) {
    if (id < 0 || id >= MAX_SOUNDS || m_bFailed.load(std::memory_order_relaxed)) return;
    // Asked for while the device is closed or opening, it waits here and starts when the device
    // opens, unless that takes longer than LATE_MS.
    const uint32_t written = m_nWritten.load(std::memory_order_relaxed);
    if (written - m_nRead.load(std::memory_order_acquire) >= REQUESTS) return; // not consumed
    m_arrRequests[written % REQUESTS] = {id, GetTickCount()};
    m_nWritten.store(written + 1, std::memory_order_release);
    m_dwLastUse.store(GetTickCount());
    {
        std::lock_guard lock(m_Mutex); // held by the sound thread only between its SDL calls
        m_bPlayAsked = true;
        m_bOpenAsked = m_bOpenAsked || !m_bOpen.load();
        m_dwAskedIds |= 1u << id;
    }
    m_Wake.notify_one();
}

void CSdlSound::Prepare() {
    m_dwLastUse.store(GetTickCount());
    // The sound thread lets m_bOpen go before it reads the last use to close: either it sees
    // this use, or this sees the device closing and asks for it again.
    if (m_bOpen.load() || m_bFailed.load(std::memory_order_relaxed)) return;
    {
        std::lock_guard lock(m_Mutex);
        m_bOpenAsked = true;
    }
    m_Wake.notify_one();
}

void CSdlSound::RunThread(const std::function<asSOUNDS()>& makeSounds) {
    {
        std::unique_lock lock(m_Mutex);
        if (m_Wake.wait_for(lock, START_DELAY, [this] { return m_bStop; })) return;
    }
    // The driver is loaded with the device and let go with it: ALSA's driver alone keeps a
    // thread polling for new cards ten times a second.
    m_arrSounds = makeSounds();
    using Clock = std::chrono::steady_clock;
    Clock::time_point playingUntil = Clock::now();
    std::unique_lock lock(m_Mutex);
    while (!m_bStop) {
        const Clock::time_point now = Clock::now();
        // SDL is called with the lock let go: the window thread never waits on the device.
        if (m_nDevice == 0) {
            if (!m_bOpenAsked || m_bFailed.load()) {
                m_Wake.wait(lock);
                continue;
            }
            m_bOpenAsked = false;
            lock.unlock();
            OpenDevice();
            lock.lock();
            continue;
        }
        if (m_bPlayAsked) {
            m_bPlayAsked = false;
            size_t longest = 0;
            for (size_t id = 0; id < m_arrSounds.size() && id < size_t(MAX_SOUNDS); ++id)
                if (m_dwAskedIds & (1u << id)) longest = std::max(longest, m_arrSounds[id].size());
            m_dwAskedIds = 0;
            const auto length =
                std::chrono::microseconds(int64_t(longest) * 1000000 / std::max(m_nRate, 1));
            playingUntil = std::max(playingUntil, now + length + TAIL);
            if (m_bPaused) {
                lock.unlock();
                SDL_PauseAudioDevice(m_nDevice, 0);
                lock.lock();
                m_bPaused = false;
            }
            continue;
        }
        if (!m_bPaused && now >= playingUntil) {
            const bool quiet = m_nSounding.load() == 0 && m_nRead.load() == m_nWritten.load();
            if (quiet) {
                lock.unlock();
                SDL_PauseAudioDevice(m_nDevice, 1);
                lock.lock();
                m_bPaused = true;
            } else {
                playingUntil = now + TAIL; // the device started late; look again
            }
            continue;
        }
        const uint32_t idle = GetTickCount() - m_dwLastUse.load();
        if (m_bPaused && idle >= CLOSE_AFTER_MS) {
            m_bOpen.store(false);
            if (GetTickCount() - m_dwLastUse.load() < CLOSE_AFTER_MS) {
                m_bOpen.store(true); // an input came just now
                continue;
            }
            m_bOpenAsked = false;
            lock.unlock();
            CloseDevice();
            StopAudio();
            lock.lock();
            continue;
        }
        if (!m_bPaused)
            m_Wake.wait_until(lock, playingUntil);
        else
            m_Wake.wait_for(lock, std::chrono::milliseconds(CLOSE_AFTER_MS - idle));
    }
    lock.unlock();
    CloseDevice();
    StopAudio();
    // SDL frees its per-thread data (the error text) only for threads it made itself.
    SDL_TLSCleanup();
}

bool CSdlSound::StartAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "zimbly: no sound (%s); the game plays silently\n", SDL_GetError());
        m_bFailed.store(true);
        return false;
    }
    m_bAudioStarted = true;
    QuietAlsa();
    return true;
}

void CSdlSound::StopAudio() {
    if (!m_bAudioStarted) return;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_bAudioStarted = false;
}

bool CSdlSound::OpenDevice() {
    if (!m_bAudioStarted && !StartAudio()) return false;
    SDL_AudioSpec want{};
    want.freq = m_nRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = BUFFER_FRAMES;
    want.callback = Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to what the device takes, the sounds stay as made.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        std::fprintf(stderr, "zimbly: no sound device (%s); the game plays silently\n",
                     SDL_GetError());
        m_bFailed.store(true);
        StopAudio();
        return false;
    }
    m_nDevice = device;
    m_bPaused = true;
    m_bOpen.store(true, std::memory_order_release);
    return true;
}

void CSdlSound::CloseDevice() {
    if (m_nDevice == 0) return;
    m_bOpen.store(false);
    SDL_CloseAudioDevice(m_nDevice); // the callback has ended when this returns
    m_nDevice = 0;
    m_bPaused = true;
    m_arrVoices = {};
    m_nSounding.store(0);
}

void CSdlSound::Callback(void* self, uint8_t* stream, int bytes) {
    static_cast<CSdlSound*>(self)->Mix(reinterpret_cast<int16_t*>(stream), size_t(bytes) / 2);
}

void CSdlSound::Mix(int16_t* out, size_t frames) {
    const uint32_t now = GetTickCount();
    uint32_t read = m_nRead.load(std::memory_order_relaxed);
    const uint32_t written = m_nWritten.load(std::memory_order_acquire);
    for (; read != written; ++read) {
        const asREQUEST request = m_arrRequests[read % REQUESTS];
        if (now - request.dwTick > LATE_MS || size_t(request.nId) >= m_arrSounds.size()) continue;
        // A free voice, else the one furthest along (its end is the least missed).
        asVOICE* voice = &m_arrVoices[0];
        for (asVOICE& candidate : m_arrVoices) {
            if (!candidate.pSamples) {
                voice = &candidate;
                break;
            }
            if (candidate.nAt > voice->nAt) voice = &candidate;
        }
        *voice = {&m_arrSounds[size_t(request.nId)], 0};
    }
    m_nRead.store(read, std::memory_order_release);

    std::fill(out, out + frames, int16_t(0));
    int sounding = 0;
    for (asVOICE& voice : m_arrVoices) {
        if (!voice.pSamples) continue;
        const std::vector<int16_t>& samples = *voice.pSamples;
        const size_t count = std::min(frames, samples.size() - voice.nAt);
        for (size_t i = 0; i < count; ++i)
            out[i] = int16_t(std::clamp(int(out[i]) + samples[voice.nAt + i], -32768, 32767));
        voice.nAt += count;
        if (voice.nAt >= samples.size())
            voice = {};
        else
            ++sounding;
    }
    m_nSounding.store(sounding);
}
