#include "platform/win32/ole_event_sink.h"

#include <exdisp.h>
#include <exdispid.h>

#include <string>

namespace zorvik::win32 {

namespace {

// Arguments arrive last first: rgvarg[0] is an event's last parameter.
// BeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel).
constexpr UINT kBeforeNavigate2Arguments = 7;
constexpr UINT kBeforeNavigate2Url = 5;
constexpr UINT kNewWindow2Arguments = 2;  // ppDisp, Cancel
constexpr UINT kCancelArgument = 0;

// The text of a BSTR argument, passed directly or by reference (possibly inside a VARIANT), as
// ANSI bytes of the system's code page, the way the program's texts are held.
std::string argumentText(const VARIANT& argument) {
  const VARIANT* value = &argument;
  if (V_VT(value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(value)) value = V_VARIANTREF(value);
  BSTR text = nullptr;
  if (V_VT(value) == VT_BSTR) text = V_BSTR(value);
  if (V_VT(value) == (VT_BYREF | VT_BSTR) && V_BSTRREF(value)) text = *V_BSTRREF(value);
  if (!text) return {};
  const int length = static_cast<int>(SysStringLen(text));
  if (length == 0) return {};
  const int needed = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, bytes.data(), needed, nullptr, nullptr);
  return bytes;
}

void answerCancel(const VARIANT& argument, bool cancel) {
  if (V_VT(&argument) == (VT_BYREF | VT_BOOL) && V_BOOLREF(&argument)) {
    *V_BOOLREF(&argument) = cancel ? VARIANT_TRUE : VARIANT_FALSE;
  }
}

}  // namespace

STDMETHODIMP OleEventSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) OleEventSink::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) OleEventSink::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP OleEventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP OleEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP OleEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

STDMETHODIMP OleEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                  EXCEPINFO*, UINT*) {
  if (!parameters || !parameters->rgvarg) return S_OK;
  const VARIANT* arguments = parameters->rgvarg;
  if (id == DISPID_BEFORENAVIGATE2 && parameters->cArgs == kBeforeNavigate2Arguments) {
    const bool cancel =
        events_ && events_->beforeNavigate(argumentText(arguments[kBeforeNavigate2Url]));
    answerCancel(arguments[kCancelArgument], cancel);
  } else if (id == DISPID_NEWWINDOW2 && parameters->cArgs == kNewWindow2Arguments) {
    // NewWindow2 carries no address.
    const bool cancel = events_ && events_->newWindow(std::string());
    answerCancel(arguments[kCancelArgument], cancel);
  }
  return S_OK;
}

}  // namespace zorvik::win32
