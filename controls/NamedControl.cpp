#include "controls/NamedControl.h"

const MessageMap& CNamedControl::GetMessageMap() const {
    static const MessageMap map{&CWnd::GetMessageMap(),
                                {on::Message<WM_GETOBJECT>(&CNamedControl::OnGetObject)}};
    return map;
}

LRESULT CNamedControl::OnGetObject(DWORD flags, LONG objectId) {
    if (LRESULT answer = AnswerGetObject(m_hWnd, flags, objectId, m_accessible))
        return answer;
    return Default();
}
