// The exercise run: answer entry, marking, the hint, new pages, the end of a run and its score.
#include "app/CSumoraWnd.h"
#include "exercise/ProblemGenerator.h"
#include "users/UserData.h"

namespace {

// A finished page is told by a non-zero end tick, so a tick that happens to read 0 (the
// 32-bit count wraps every 49.7 days) is taken as 1.
uint32_t NonZeroTick(uint32_t dwTick) {
    return dwTick == 0 ? 1 : dwTick;
}

} // namespace

void CSumoraWnd::StartRun(int code) {
    if (m_nSelectedSet < 0 || m_nSelectedSet >= EXERCISE_SET_COUNT) return;
    // The page is drawn first: a set with no kind of problem starts no run, and the title
    // screen stays exactly as it was.
    std::vector<std::string> arrProblems;
    std::vector<std::string> arrAnswers;
    if (GenerateProblems(arrProblems, arrAnswers, g_ExerciseSets[m_nSelectedSet], m_fnRand) == 0)
        return;

    m_nRunItem = code;
    m_bCleanTry = 1;
    m_bHintAvailable = 1;
    m_nCurrent = 0;
    m_nPageFirstTry = 0;
    m_nTotalDone = 0;
    m_nTotalFirstTry = 0;
    m_nHintIndex = -1;
    m_strInput.clear();
    m_bWrongShown = 0;
    m_nScreenState = SCREEN_EXERCISE;
    m_arrProblems = std::move(arrProblems);
    m_arrAnswers = std::move(arrAnswers);

    SlideInExerciseScreen();
    ShowCartoons();
    m_dwStartTick = Host().GetTickCount();
    m_dwEndTick = 0;
}

void CSumoraWnd::AppendDigit(int digit) {
    if (digit < 0 || digit > 9 || m_nCurrent >= static_cast<int>(m_arrProblems.size())) return;
    // A wrong mark stays while digits are added.
    m_strInput += static_cast<char>('0' + digit);
}

void CSumoraWnd::EraseLastDigit() {
    if (m_strInput.empty()) return;
    m_strInput.pop_back();
    m_bWrongShown = 0;
}

void CSumoraWnd::ClearInput() {
    m_strInput.clear();
    m_bWrongShown = 0;
}

void CSumoraWnd::SubmitAnswer() {
    if (m_strInput.empty() || m_nCurrent >= static_cast<int>(m_arrProblems.size())) return;
    m_bWrongShown = 1;
    // Both hold digits only, so the text comparison is exact: "03" is not "3".
    if (m_strInput != m_arrAnswers[m_nCurrent]) {
        m_bCleanTry = 0; // the typed answer stays, marked wrong
        return;
    }
    ++m_nTotalDone;
    m_strInput.clear();
    ++m_nCurrent;
    if (m_bCleanTry) {
        ++m_nPageFirstTry;
        ++m_nTotalFirstTry;
    }
    m_bCleanTry = 1;
    m_bWrongShown = 0;
    if (m_nCurrent >= static_cast<int>(m_arrProblems.size()))
        m_dwEndTick = NonZeroTick(Host().GetTickCount());
}

void CSumoraWnd::RevealAnswer() {
    if (!m_bHintAvailable || m_nCurrent >= static_cast<int>(m_arrProblems.size())) return;
    m_bHintAvailable = 0;
    m_strInput = m_arrAnswers[m_nCurrent];
    m_nHintIndex = m_nCurrent;
    // Right by construction; it counts at the first try only when no wrong answer came before.
    SubmitAnswer();
}

void CSumoraWnd::StartNewPage() {
    // The problems left on the old page count nowhere; the run totals stay.
    m_strInput.clear();
    m_bWrongShown = 0;
    m_nCurrent = 0;
    m_nPageFirstTry = 0;
    m_bCleanTry = 1;
    m_bHintAvailable = 1;
    m_nHintIndex = -1;
    GenerateProblems(m_arrProblems, m_arrAnswers, g_ExerciseSets[m_nSelectedSet], m_fnRand);
    FadeInNewPage();
    RedrawWindow();
    m_dwEndTick = 0;
    m_dwStartTick = Host().GetTickCount();
}

int CSumoraWnd::RunScore() const {
    if (m_nTotalDone < 1) return 0;
    // Divided before the multiplication: 29 of 100 gives 28.
    return static_cast<int>(static_cast<double>(m_nTotalFirstTry) / m_nTotalDone * 100.0);
}

void CSumoraWnd::FinishRun() {
    HideCartoons();
    if (m_nTotalDone < 1) {
        m_nScreenState = SCREEN_TITLE;
        return;
    }
    const int nScore = RunScore();
    if (!g_arrUsers.empty() && g_nCurrentUser >= 0 &&
        g_nCurrentUser < static_cast<int32_t>(g_arrUsers.size()))
        AppendScore(g_arrUsers[g_nCurrentUser], nScore);
    m_nScreenState = SCREEN_CERTIFICATE;
}

void CSumoraWnd::LeaveRun() {
    HideCartoons();
    // The certificate shows the run, but the Home key adds nothing to the history.
    m_nScreenState = m_nTotalDone > 0 ? SCREEN_CERTIFICATE : SCREEN_TITLE;
}
