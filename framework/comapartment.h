// CComApartment: the calling thread in a single-threaded COM apartment for the owner's
// lifetime.  The shell asks for one before ShellExecute (the hyperlinks open their targets
// through it): "Because ShellExecute can delegate execution to Shell extensions (data sources,
// context menu handlers, verb implementations) that are activated using Component Object Model
// (COM), COM should be initialized before ShellExecute is called.  Some Shell extensions require
// the COM single-threaded apartment (STA) type.  In that case, COM should be initialized as shown
// here: CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)" (ShellExecute,
// Remarks).  Every successful CoInitializeEx, S_FALSE included, is balanced by one
// CoUninitialize on the same thread; a thread already in another apartment (RPC_E_CHANGED_MODE)
// stays as it was.  Move-only: the apartment is left once.
#ifndef LANTREL_FRAMEWORK_COMAPARTMENT_H
#define LANTREL_FRAMEWORK_COMAPARTMENT_H

#include <windows.h>
#include <objbase.h>

class CComApartment {
public:
    CComApartment()
        : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    CComApartment(CComApartment&& other) noexcept : m_hr(other.m_hr) { other.m_hr = E_FAIL; }
    CComApartment& operator=(CComApartment&& other) noexcept {
        if (this != &other) {
            Leave();
            m_hr = other.m_hr;
            other.m_hr = E_FAIL;
        }
        return *this;
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;
    ~CComApartment() { Leave(); }

private:
    void Leave() {
        if (SUCCEEDED(m_hr)) ::CoUninitialize();
        m_hr = E_FAIL;
    }

    HRESULT m_hr;
};

#endif
