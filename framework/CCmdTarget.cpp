#include "framework/CCmdTarget.h"

const MessageMap& CCmdTarget::GetMessageMap() const {
    static const MessageMap map{nullptr, {}};
    return map;
}

const MessageEntry* CCmdTarget::FindMessageEntry(UINT message, UINT code) const {
    if (message == 0 || message == WM_COMMAND)
        return nullptr;
    for (const MessageMap* map = &GetMessageMap(); map; map = map->base)
        for (const MessageEntry& entry : map->entries)
            if (entry.message == message && entry.code == code)
                return &entry;
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
    for (const MessageMap* map = &GetMessageMap(); map; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.message == WM_COMMAND && entry.code == code && id >= entry.firstId &&
                id <= entry.lastId) {
                entry.Call(*this, MAKEWPARAM(id, code), 0);
                return TRUE;
            }
        }
    }
    return FALSE;
}
