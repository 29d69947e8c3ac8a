// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Sounds through SDL's own audio device. A thread of its own makes the sounds and opens the
// device, so neither start-up nor the window ever waits for it; with no device the game is
// silent. The driver and the device open at the first input and close a few seconds after the
// last sound and input, so a game left alone costs no CPU for sound.
#pragma once

#include "platform/SoundOutput.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class CSdlSound : public CSoundOutput {
public:
    // The sounds, indexed by id: mono 16-bit samples at rate.
    using asSOUNDS = std::vector<std::vector<int16_t>>;
    // makeSounds runs on the sound thread before the device opens.
    CSdlSound(int rate, std::function<asSOUNDS()> makeSounds);
    ~CSdlSound() override;

    void Play(int id) override;
    void Prepare() override;

private:
    struct asREQUEST {
        int nId;
        uint32_t dwTick; // when it was asked for: one that waited too long is left out
    };
    struct asVOICE {
        const std::vector<int16_t>* pSamples = nullptr;
        size_t nAt = 0;
    };
    static constexpr size_t REQUESTS = 16; // a power of two
    static constexpr size_t VOICES = 4;
    static constexpr int MAX_SOUNDS = 32; // one bit each in m_dwAskedIds

    void RunThread(const std::function<asSOUNDS()>& makeSounds);
    bool StartAudio();
    void StopAudio();
    bool OpenDevice();
    void CloseDevice();
    static void Callback(void* self, uint8_t* stream, int bytes);
    void Mix(int16_t* out, size_t frames);

    const int m_nRate;
    asSOUNDS m_arrSounds; // written before the device opens, then only read
    uint32_t m_nDevice = 0;
    bool m_bAudioStarted = false;
    bool m_bPaused = true;
    std::atomic<bool> m_bFailed{false}; // no device this session: silent, said once

    // Window thread → audio callback, without a lock: one writer, one reader.
    std::array<asREQUEST, REQUESTS> m_arrRequests{};
    std::atomic<uint32_t> m_nWritten{0};
    std::atomic<uint32_t> m_nRead{0};
    // The callback's own voices, and how many still sound (read by the sound thread).
    std::array<asVOICE, VOICES> m_arrVoices{};
    std::atomic<int> m_nSounding{0};

    // The window thread's news for the sound thread.
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    bool m_bStop = false;
    bool m_bPlayAsked = false;
    bool m_bOpenAsked = false;
    uint32_t m_dwAskedIds = 0; // the sounds asked for since the last look, one bit each
    std::atomic<bool> m_bOpen{false};
    std::atomic<uint32_t> m_dwLastUse{0}; // the tick of the last play or prepare
    std::thread m_Thread;
};
