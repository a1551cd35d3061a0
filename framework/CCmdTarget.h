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
    // Searches the map chain for the entry of a message (never WM_COMMAND, whose entries
    // OnCmdMsg runs); `code` is a reflected command's notification code.
    const MessageEntry* FindMessageEntry(UINT message, UINT code = 0) const;
};
