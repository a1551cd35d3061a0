#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

// Answers the message boxes a thread shows, as a user would, and records what they said.
// A CBT hook on the GUI thread sees each box become active, reads its caption, text, buttons
// and icon, and clicks the next scripted answer (IDNO, then IDOK when no answer is scripted).
// Only windows that are not bound to a framework object count as message boxes.
class MessageBoxAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text;
        UINT style = 0; // MB_OK / MB_YESNO / ... | MB_ICONxxx, read back from the box
        HWND owner = nullptr;
    };

    // Hooks the calling thread, which is the one that shows the boxes. One answerer at a time.
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void Answer(int buttonId); // queues one answer
    std::vector<Box> Boxes() const;
    size_t Count() const;
    void Clear();

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND box);

    HHOOK m_hook = nullptr;
    mutable CRITICAL_SECTION m_lock;
    std::deque<int> m_answers;
    std::vector<Box> m_boxes;
    std::vector<HWND> m_answered;
};
