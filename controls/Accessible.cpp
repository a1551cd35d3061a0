#include "controls/Accessible.h"

#include "framework/SystemProc.h"
#include "framework/ScopedWin.h"

#include <oleacc.h>

namespace {

// The library functions, loaded when an assistive program first asks: most runs never do.
template <class F> F Oleacc(const char* name) { return SystemProc<F>("oleacc.dll", name); }

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Text(const CString& text, BSTR* out) {
    using Alloc = BSTR(WINAPI*)(const OLECHAR*, UINT);
    static const Alloc alloc = SystemProc<Alloc>("oleaut32.dll", "SysAllocStringLen");
    const WideText wide(text.str());
    *out = alloc ? alloc(wide.get(), static_cast<UINT>(wide.size())) : nullptr;
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The standard object of a control, with the control's own facts in its place; everything
// else is the standard object's answer. It is one object to COM: every interface it gives leads
// back to it, so the standard object's other interfaces (which would lead to the standard object
// and its name) are not given; assistive programs do without them.
class AccessibleControl final : public IAccessible, public IOleWindow {
public:
    AccessibleControl(HWND control, IAccessible* standard, const AccessibleFacts& facts)
        : m_control(control), m_standard(standard), m_facts(facts) {
        m_standard->AddRef();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *out = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *out = static_cast<IOleWindow*>(this);
        else
            return *out = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0) {
            m_standard->Release();
            delete this;
        }
        return static_cast<ULONG>(refs);
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = m_control;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return m_standard->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return m_standard->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return m_standard->Invoke(id, iid, lcid, flags, params, result, exception, argument);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (IsSelf(child) && !m_facts.name.IsEmpty())
            return Text(m_facts.name, name);
        return m_standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (IsSelf(child) && !m_facts.value.IsEmpty())
            return Text(m_facts.value, value);
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || !m_facts.role)
            return m_standard->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = static_cast<LONG>(m_facts.role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = m_standard->get_accState(child, state);
        if (SUCCEEDED(result) && IsSelf(child) && state->vt == VT_I4)
            state->lVal |= static_cast<LONG>(m_facts.state);
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (IsSelf(child) && !m_facts.defaultAction.IsEmpty())
            return Text(m_facts.defaultAction, action);
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || m_facts.defaultAction.IsEmpty())
            return m_standard->accDoDefaultAction(child);
        // Posted, as a click notifies the parent: the assistive program is not kept waiting
        // while the action runs.
        const int id = ::GetDlgCtrlID(m_control);
        return ::PostMessageW(::GetParent(m_control), WM_COMMAND, MAKEWPARAM(id, 0),
                              reinterpret_cast<LPARAM>(m_control))
                   ? S_OK
                   : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return m_standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return m_standard->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        if (IsSelf(child) && !m_facts.shortcut.IsEmpty())
            return Text(m_facts.shortcut, keys);
        return m_standard->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override {
        return m_standard->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_standard->put_accValue(child, value);
    }

private:
    ~AccessibleControl() = default;
    HWND m_control;
    IAccessible* m_standard;
    const AccessibleFacts m_facts;
    LONG m_refs = 1;
};
} // namespace

LRESULT AnswerGetObject(HWND control, DWORD flags, LONG objectId, const AccessibleFacts& facts) {
    if (objectId != OBJID_CLIENT)
        return 0;
    using Create = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using Answer = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static const Create create = Oleacc<Create>("CreateStdAccessibleObject");
    static const Answer answer = Oleacc<Answer>("LresultFromObject");
    CComPtr<IAccessible> standard;
    if (!create || !answer ||
        FAILED(create(control, OBJID_CLIENT, __uuidof(IAccessible), standard.Receive())))
        return 0;
    auto* object = new AccessibleControl(control, standard.get(), facts);
    const LRESULT result = answer(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
    object->Release();
    // A failure comes back as a (negative) error code: the standard object answers instead.
    return result < 0 ? 0 : result;
}
