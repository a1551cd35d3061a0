#include "main/InstanceMark.h"

namespace {
const wchar_t kInstanceProperty[] = L"CHIMO!.Instance";
// Any value but NULL would do; this one reads "CHMO" in a dump.
const HANDLE kInstanceMark = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x4F4D4843));
} // namespace

void MarkInstanceWindow(HWND hwnd) { ::SetPropW(hwnd, kInstanceProperty, kInstanceMark); }

void UnmarkInstanceWindow(HWND hwnd) { ::RemovePropW(hwnd, kInstanceProperty); }

bool HasInstanceMark(HWND hwnd) { return ::GetPropW(hwnd, kInstanceProperty) == kInstanceMark; }
