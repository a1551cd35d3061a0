#include "framework/CCmdTarget.h"

const MessageMap& CCmdTarget::GetMessageMap() const {
    static const MessageMap map{nullptr, {}};
    return map;
}

CCmdTarget::FoundEntry CCmdTarget::FindMessageEntry(UINT message, UINT code) {
    if (message == 0 || message == WM_COMMAND)
        return {};
    for (const MessageMap* map = &GetMessageMap(); map; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.member) {
                if (const FoundEntry found = entry.member(*this).FindMessageEntry(message, code))
                    return found;
            } else if (entry.message == message && entry.code == code) {
                return {&entry, this};
            }
        }
    }
    return {};
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
    for (const MessageMap* map = &GetMessageMap(); map; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.member) {
                if (entry.member(*this).OnCmdMsg(id, code))
                    return TRUE;
            } else if (entry.message == WM_COMMAND && entry.code == code && id >= entry.firstId &&
                       id <= entry.lastId) {
                entry.Call(*this, MAKEWPARAM(id, code), 0);
                return TRUE;
            }
        }
    }
    return FALSE;
}
