#pragma once
#include "controls/LinkLabel.h"
#include "framework/Afx.h"

// The About box: version, credits, notice and three links. Plays the About sound each time it
// opens. Built with no parent, so the application's main window owns it, hidden or not.
class CAboutBox : public CDialog {
public:
    CAboutBox();
    ~CAboutBox() override;
    const MessageMap& GetMessageMap() const override;

    CLinkLabel m_linkMailB;
    CLinkLabel m_linkMailA;
    CLinkLabel m_linkWeb;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    int OnCreate(LPCREATESTRUCTW createStruct);
};

// The mail targets: "mailto:" and the address a label shows, in lower case.
constexpr char kMailTargetA[] = "mailto:chimo@example.org";
constexpr char kMailTargetB[] = "mailto:developers@example.org";
