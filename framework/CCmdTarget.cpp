#include "framework/CCmdTarget.h"

bool MessageEntry::MatchesMessage(UINT msg) const {
    switch (kind) {
    case Kind::Message: return message == msg;
    case Kind::Registered: {
        UINT id = m_registeredId.load(std::memory_order_relaxed);
        if (id == 0) {
            id = ::RegisterWindowMessageA(registeredName);
            m_registeredId.store(id, std::memory_order_relaxed);
        }
        return id != 0 && id == msg;
    }
    default: return false;
    }
}

const MessageMap& CCmdTarget::GetMessageMap() const {
    static const MessageMap map{nullptr, {}};
    return map;
}

const MessageEntry* CCmdTarget::FindMessageEntry(UINT message, UINT code) const {
    for (const MessageMap* map = &GetMessageMap(); map; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.kind == MessageEntry::Kind::ReflectedCommand) {
                if (message == WM_REFLECT_COMMAND && entry.code == code)
                    return &entry;
            } else if (entry.MatchesMessage(message)) {
                return &entry;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
    for (const MessageMap* map = &GetMessageMap(); map; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.kind == MessageEntry::Kind::Command && entry.code == code &&
                id >= entry.firstId && id <= entry.lastId) {
                entry.Call(*this, MAKEWPARAM(id, code), 0);
                return TRUE;
            }
        }
    }
    return FALSE;
}
