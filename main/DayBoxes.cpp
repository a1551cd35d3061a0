#include "main/DayBoxes.h"

#include "core/Quiet.h"
#include "res/resource.h"

const MessageMap& CDayBoxes::GetMessageMap() const {
    static const MessageMap map{&CCmdTarget::GetMessageMap(),
                                {on::CommandRange(IDC_DAY_FIRST, IDC_DAY_LAST, &CDayBoxes::OnBox)}};
    return map;
}

void CDayBoxes::Attach(HWND window, std::function<void()> changed) {
    m_hWnd = window;
    m_changed = std::move(changed);
    wchar_t first[4] = L"0";
    ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, first, 4);
    m_firstDay = DayAt(0, first[0] - L'0');
    for (int position = 0; position < 7; ++position) {
        wchar_t name[32] = L"";
        ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT,
                          LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>(DayAt(position, m_firstDay)),
                          name, 32);
        ::SetDlgItemTextW(m_hWnd, IDC_DAY_FIRST + position, name);
    }
}

void CDayBoxes::Show(int days) const {
    for (int position = 0; position < 7; ++position)
        ::CheckDlgButton(m_hWnd, IDC_DAY_FIRST + position,
                         RingsOn(days, DayAt(position, m_firstDay)) ? BST_CHECKED : BST_UNCHECKED);
}

int CDayBoxes::Checked() const {
    int days = 0;
    for (int position = 0; position < 7; ++position)
        if (::IsDlgButtonChecked(m_hWnd, IDC_DAY_FIRST + position) == BST_CHECKED)
            days |= 1 << DayAt(position, m_firstDay);
    return days;
}

void CDayBoxes::OnBox(UINT) {
    if (m_changed)
        m_changed();
}
