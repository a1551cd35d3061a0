#pragma once
// Declarative, typed message maps.
//
// A class lists its entries once, in a function-local static, and chains to its base's map:
//
//     const MessageMap& CMyDlg::GetMessageMap() const {
//         static const MessageMap map{&CDialog::GetMessageMap(), {
//             on::Message<WM_TIMER>(&CMyDlg::OnTimer),      // void OnTimer(UINT_PTR)
//             on::Command(IDC_QUIT, &CMyDlg::OnQuit),       // void OnQuit()
//             on::CommandRange(16, 31, &CMyDlg::OnAbout),   // void OnAbout(UINT)
//             on::Chain<&CMyDlg::m_clock>(),                // m_clock's own map, here
//         }};
//         return map;
//     }
//
// Each message is unpacked in exactly one place, its Cracker, and a handler whose signature
// does not match the cracker's is a compile-time error.

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <type_traits>
#include <vector>

class CCmdTarget;

// Child notifications reflected back to the child that sent them arrive as
// WM_REFLECT_BASE + the original message (the framework convention).
constexpr UINT WM_REFLECT_BASE = 0xBC00;
constexpr UINT WM_CTLCOLOR_LEGACY = 0x0019; // the 16-bit WM_CTLCOLOR, used for reflection
constexpr UINT WM_REFLECT_COMMAND = WM_REFLECT_BASE + WM_COMMAND;
constexpr UINT WM_REFLECT_CTLCOLOR = WM_REFLECT_BASE + WM_CTLCOLOR_LEGACY;

// One entry: a message number (a reflected one, or one registered at run time by name), or
// WM_COMMAND (reflected or not) with a notification code, from the ids first..last; or a
// member whose own map is searched where the entry stands, the member handling what it finds.
struct MessageEntry {
    // Any handler, as a member of CCmdTarget: the entry's thunk, one per handler signature,
    // casts it back to its real type, unpacks the message and calls it.
    using Handler = void (CCmdTarget::*)();
    using Thunk = LRESULT (*)(CCmdTarget&, Handler, WPARAM, LPARAM);
    // The chained member of the map's owner.
    using Member = CCmdTarget& (*)(CCmdTarget& owner);

    UINT message;
    UINT code;
    UINT firstId;
    UINT lastId;
    Thunk thunk;
    Handler handler;
    Member member = nullptr;

    LRESULT Call(CCmdTarget& target, WPARAM w, LPARAM l) const {
        return thunk(target, handler, w, l);
    }
};

struct MessageMap {
    const MessageMap* base;
    std::vector<MessageEntry> entries;
};

// Crackers: the one place each message is unpacked. Signature is the handler's type;
// Invoke unpacks WPARAM/LPARAM, calls the handler and packs its answer.
template <UINT Msg> struct Cracker; // no cracker, no entry: a missing one fails to compile

template <> struct Cracker<WM_CREATE> {
    using Signature = int(LPCREATESTRUCTW);
    template <class F> static LRESULT Invoke(F&& f, WPARAM, LPARAM l) {
        return f(reinterpret_cast<LPCREATESTRUCTW>(l));
    }
};
// Crackers shared by several messages name themselves Shared: one thunk serves them all.
struct NoArguments {
    using Shared = NoArguments;
    using Signature = void();
    template <class F> static LRESULT Invoke(F&& f, WPARAM, LPARAM) { return f(), 0; }
};
template <> struct Cracker<WM_DESTROY> : NoArguments {};
template <> struct Cracker<WM_PAINT> : NoArguments {};
template <> struct Cracker<WM_TIMECHANGE> : NoArguments {};
template <> struct Cracker<WM_TIMER> {
    using Signature = void(UINT_PTR);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM) {
        return f(static_cast<UINT_PTR>(w)), 0;
    }
};
template <> struct Cracker<WM_SYSCOMMAND> {
    using Signature = void(UINT, LPARAM);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(static_cast<UINT>(w), l), 0;
    }
};
template <> struct Cracker<WM_DROPFILES> {
    using Signature = void(HDROP);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM) {
        return f(reinterpret_cast<HDROP>(w)), 0;
    }
};
// The control is given another font (a dialog moved to a monitor of another scale gives each
// control its font anew); wParam the font, lParam whether to redraw.
template <> struct Cracker<WM_SETFONT> {
    using Signature = void(HFONT, BOOL);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(reinterpret_cast<HFONT>(w), static_cast<BOOL>(l)), 0;
    }
};
template <> struct Cracker<WM_SETCURSOR> {
    using Signature = BOOL(HWND, UINT, UINT);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(reinterpret_cast<HWND>(w), LOWORD(l), HIWORD(l));
    }
};
// A scroll bar or slider: its request code and the control's window.
template <> struct Cracker<WM_HSCROLL> {
    using Signature = void(UINT, HWND);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(LOWORD(w), reinterpret_cast<HWND>(l)), 0;
    }
};
// A hot key registered with this id was pressed.
template <> struct Cracker<WM_HOTKEY> {
    using Signature = void(int);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM) {
        return f(static_cast<int>(w)), 0;
    }
};
// The window is about to move, size or show: what is to happen, which the handler may change.
template <> struct Cracker<WM_WINDOWPOSCHANGING> {
    using Signature = void(WINDOWPOS*);
    template <class F> static LRESULT Invoke(F&& f, WPARAM, LPARAM l) {
        return f(reinterpret_cast<WINDOWPOS*>(l)), 0;
    }
};
// A power event, and its data (a POWERBROADCAST_SETTING for PBT_POWERSETTINGCHANGE).
template <> struct Cracker<WM_POWERBROADCAST> {
    using Signature = void(UINT, LPARAM);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(static_cast<UINT>(w), l), TRUE;
    }
};
// A session notice (WTS_SESSION_LOCK and the others) for session `session`.
template <> struct Cracker<WM_WTSSESSION_CHANGE> {
    using Signature = void(UINT, DWORD);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(static_cast<UINT>(w), static_cast<DWORD>(l)), 0;
    }
};
// The focus came or went; the window it came from or goes to.
struct FocusChange {
    using Shared = FocusChange;
    using Signature = void(HWND);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM) {
        return f(reinterpret_cast<HWND>(w)), 0;
    }
};
template <> struct Cracker<WM_SETFOCUS> : FocusChange {};
template <> struct Cracker<WM_KILLFOCUS> : FocusChange {};
// The keys a control wants from the dialog manager, asked about `msg` (may be null).
template <> struct Cracker<WM_GETDLGCODE> {
    using Signature = UINT(const MSG*);
    template <class F> static LRESULT Invoke(F&& f, WPARAM, LPARAM l) {
        return f(reinterpret_cast<const MSG*>(l));
    }
};
// A key went down: its virtual-key code, and whether it was down already (held, repeating).
template <> struct Cracker<WM_KEYDOWN> {
    using Signature = void(UINT, bool);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(static_cast<UINT>(w), (l & (1 << 30)) != 0), 0;
    }
};
// Assistive technology asks for object `objectId` (OBJID_*; a 32-bit value, sign-extended or
// not on 64-bit Windows) with `flags`: the answer, or the default procedure's.
template <> struct Cracker<WM_GETOBJECT> {
    using Signature = LRESULT(DWORD, LONG);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(static_cast<DWORD>(w), static_cast<LONG>(l));
    }
};
// The session ends (`ending`) or goes on; ENDSESSION_* flags.
template <> struct Cracker<WM_ENDSESSION> {
    using Signature = void(bool, UINT);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return f(w != 0, static_cast<UINT>(l)), 0;
    }
};
// WM_CTLCOLORxxx reflected to the control: the control's DC and the CTLCOLOR_ kind.
template <> struct Cracker<WM_REFLECT_CTLCOLOR> {
    using Signature = HBRUSH(HDC, UINT);
    template <class F> static LRESULT Invoke(F&& f, WPARAM w, LPARAM l) {
        return reinterpret_cast<LRESULT>(f(reinterpret_cast<HDC>(w), static_cast<UINT>(l)));
    }
};

namespace on {

namespace detail {
// Member function pointers of one class share one layout: each handler is kept as the entry's
// one type and restored by its thunk, bit for bit.
template <class To, class From> To Retype(From from) {
    static_assert(sizeof(To) == sizeof(From), "handlers of one class share one layout");
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}
// `handler` as a member of CCmdTarget (a handler's class derives from it, once, not virtually),
// stored as the entry's one handler type.
template <class T, class R, class... A> MessageEntry::Handler Erase(R (T::*handler)(A...)) {
    static_assert(std::is_base_of_v<CCmdTarget, T>, "handlers belong to a CCmdTarget");
    return Retype<MessageEntry::Handler>(static_cast<R (CCmdTarget::*)(A...)>(handler));
}
template <class R, class... A> R (CCmdTarget::*Restore(MessageEntry::Handler h))(A...) {
    return Retype<R (CCmdTarget::*)(A...)>(h);
}
template <class M> struct MemberOf;
template <class T, class M> struct MemberOf<M T::*> {
    using Owner = T;
    using Type = M;
};
template <class C, class = void> struct SharedOf { using type = C; };
template <class C> struct SharedOf<C, std::void_t<typename C::Shared>> {
    using type = typename C::Shared;
};
template <class C, class R, class... A>
LRESULT Cracked(CCmdTarget& self, MessageEntry::Handler h, WPARAM w, LPARAM l) {
    const auto handler = Restore<R, A...>(h);
    return C::Invoke([&](A... a) -> R { return (self.*handler)(a...); }, w, l);
}
inline LRESULT Unpacked(CCmdTarget& self, MessageEntry::Handler h, WPARAM w, LPARAM l) {
    return (self.*Restore<LRESULT, WPARAM, LPARAM>(h))(w, l);
}
inline LRESULT Plain(CCmdTarget& self, MessageEntry::Handler h, WPARAM, LPARAM) {
    return (self.*h)(), 0;
}
inline LRESULT WithId(CCmdTarget& self, MessageEntry::Handler h, WPARAM w, LPARAM) {
    return (self.*Restore<void, UINT>(h))(LOWORD(w)), 0;
}
} // namespace detail

// A message with a cracker: on::Message<WM_PAINT>(&C::OnPaint).
template <UINT Msg, class T, class R, class... A> MessageEntry Message(R (T::*handler)(A...)) {
    static_assert(std::is_same_v<R(A...), typename Cracker<Msg>::Signature>,
                  "the handler's signature does not match this message's cracker");
    using C = typename detail::SharedOf<Cracker<Msg>>::type;
    return {Msg, 0, 0, 0, &detail::Cracked<C, R, A...>, detail::Erase(handler)};
}

// Any message, unpacked by the handler itself: LRESULT OnX(WPARAM, LPARAM).
template <class T> MessageEntry Raw(UINT msg, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {msg, 0, 0, 0, &detail::Unpacked, detail::Erase(handler)};
}

// A message whose number is known only at run time, by name: registered when the map is
// built. A failed registration gives 0, which no lookup matches.
template <class T> MessageEntry Registered(const wchar_t* name, void (T::*handler)()) {
    return {::RegisterWindowMessageW(name), 0, 0, 0, &detail::Plain, detail::Erase(handler)};
}

// WM_COMMAND with notification code `code` from control or menu item `id`.
template <class T> MessageEntry Control(UINT code, UINT id, void (T::*handler)()) {
    return {WM_COMMAND, code, id, id, &detail::Plain, detail::Erase(handler)};
}

// A button click or menu command (notification code 0).
template <class T> MessageEntry Command(UINT id, void (T::*handler)()) {
    return Control(0, id, handler);
}

// WM_COMMAND with notification code `code` from the controls first..last; the handler is told
// which one.
template <class T>
MessageEntry ControlRange(UINT code, UINT first, UINT last, void (T::*handler)(UINT)) {
    return {WM_COMMAND, code, first, last, &detail::WithId, detail::Erase(handler)};
}

// Commands first..last (code 0); the handler is told which one.
template <class T> MessageEntry CommandRange(UINT first, UINT last, void (T::*handler)(UINT)) {
    return {WM_COMMAND, 0, first, last, &detail::WithId, detail::Erase(handler)};
}

// A notification this control sent to its parent, reflected back to the control.
template <class T> MessageEntry ReflectCommand(UINT code, void (T::*handler)()) {
    return {WM_REFLECT_COMMAND, code, 0, 0, &detail::Plain, detail::Erase(handler)};
}

// The map of data member `Member` (a CCmdTarget: a feature's own class), searched where this
// entry stands; what it finds runs on the member: on::Chain<&CMyDlg::m_clock>().
template <auto Member> MessageEntry Chain() {
    using Of = detail::MemberOf<decltype(Member)>;
    static_assert(std::is_base_of_v<CCmdTarget, typename Of::Owner> &&
                      std::is_base_of_v<CCmdTarget, typename Of::Type>,
                  "a map chains a member with a map of its own");
    MessageEntry entry{0, 0, 0, 0, nullptr, nullptr};
    entry.member = [](CCmdTarget& owner) -> CCmdTarget& {
        return static_cast<typename Of::Owner&>(owner).*Member;
    };
    return entry;
}

// WM_CTLCOLORxxx reflected back to the control: HBRUSH CtlColor(HDC, UINT).
template <class T> MessageEntry ReflectCtlColor(HBRUSH (T::*handler)(HDC, UINT)) {
    return Message<WM_REFLECT_CTLCOLOR>(handler);
}

} // namespace on
