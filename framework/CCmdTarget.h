#pragma once
#include "framework/MessageMap.h"

// The root of everything that has a message map: windows and the application object.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    virtual const MessageMap& GetMessageMap() const;

    // Runs the first command entry of the map chain that matches `id` and `code`.
    // Returns TRUE when one did.
    virtual BOOL OnCmdMsg(UINT id, UINT code);

protected:
    // An entry found, and the object it runs on (this, or a chained member).
    struct FoundEntry {
        const MessageEntry* entry = nullptr;
        CCmdTarget* target = nullptr;
        LRESULT Call(WPARAM w, LPARAM l) const { return entry->Call(*target, w, l); }
        explicit operator bool() const { return entry != nullptr; }
    };
    // Searches the map chain, and the maps of the members it chains, for the entry of a message
    // (never WM_COMMAND, whose entries OnCmdMsg runs); `code` is a reflected command's
    // notification code.
    FoundEntry FindMessageEntry(UINT message, UINT code = 0);
};
