#include "about/AboutBox.h"

#include "res/resource.h"

#include "sound/SoundPlayer.h"

CAboutBox::CAboutBox() : CDialog(IDD_ABOUT_BOX, nullptr, IDT_ABOUT_BOX) {
    // No windows yet: only the targets are stored; the web link takes its own text.
    m_linkMailA.SetLinkTarget(kMailTargetA);
    m_linkMailB.SetLinkTarget(kMailTargetB);
}

CAboutBox::~CAboutBox() = default;

const MessageMap& CAboutBox::GetMessageMap() const {
    static const MessageMap map{&CDialog::GetMessageMap(),
                                {on::Message<WM_CREATE>(&CAboutBox::OnCreate)}};
    return map;
}

void CAboutBox::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAIL_LINK_B, m_linkMailB);
    DDX_Control(pDX, IDC_MAIL_LINK_A, m_linkMailA);
    DDX_Control(pDX, IDC_WEB_LINK, m_linkWeb);
}

int CAboutBox::OnCreate(LPCREATESTRUCTW) {
    if (Default() == -1)
        return -1;
    // Starts as the window is created, before it is shown; closing the box does not stop it.
    PlayResource(IDW_ABOUT_SOUND);
    return 0;
}
