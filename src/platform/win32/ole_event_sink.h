#pragma once
// The sink for the browser control's DWebBrowserEvents2. Only the two events whose answer the
// program may give are looked at: BeforeNavigate2 and NewWindow2 ask BrowserEvents whether to
// cancel. Every other event is acknowledged and ignored.
#include <ole2.h>
#include <windows.h>

#include "platform/browser_port.h"

namespace zorvik::win32 {

class OleEventSink final : public IDispatch {
 public:
  // `events` is not owned and may be null (never cancel). The sink is created with one reference
  // (the adapter's); the connection point holds another while advised.
  explicit OleEventSink(BrowserEvents* events) : events_(events) {}

  // Stops asking BrowserEvents: an event that arrives late is answered with "do not cancel".
  void detach() { events_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch. No type information: the control calls Invoke with the event's dispatch id.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  ~OleEventSink() = default;

  ULONG references_ = 1;
  BrowserEvents* events_;
};

}  // namespace zorvik::win32
