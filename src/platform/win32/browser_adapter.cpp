#include "platform/win32/browser_adapter.h"

#include <exdisp.h>
#include <ocidl.h>
#include <ole2.h>

#include "platform/win32/ole_event_sink.h"
#include "platform/win32/ole_site.h"
#include "platform/win32/win32_handles.h"

namespace zorvik::win32 {

namespace {

constexpr char kContainerClass[] = "ZorvikBrowserControl";
constexpr UINT_PTR kControlId = 0xE900;

template <typename Interface>
void release(Interface*& pointer) {
  if (pointer) pointer->Release();
  pointer = nullptr;
}

}  // namespace

// Everything the adapter holds for one control. The record lives from createBrowserControl to
// destroyControl; the container window points back at it (GWLP_USERDATA) until then.
struct BrowserAdapter::Control {
  HWND window = nullptr;                   // the 0xE900 container; null once it is gone
  OleSite* site = nullptr;                 // one reference
  OleEventSink* sink = nullptr;            // one reference
  IOleObject* object = nullptr;            // one reference to the control
  IOleInPlaceObject* inPlace = nullptr;    // one reference, while the control is active in place
  IConnectionPoint* connection = nullptr;  // one reference, while `sink` is advised
  DWORD cookie = 0;
  IWebBrowser2* browser = nullptr;  // one reference between queryWebBrowser and releaseBrowser

  // Gives back everything above, in the order the control expects: events first, then the
  // control itself, then the window it was active in.
  void tearDown() {
    if (connection) connection->Unadvise(cookie);
    release(connection);
    release(browser);
    if (inPlace) inPlace->InPlaceDeactivate();
    release(inPlace);
    if (object) {
      object->Close(OLECLOSE_NOSAVE);
      object->SetClientSite(nullptr);
    }
    release(object);
    if (window) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      DestroyWindow(window);
      window = nullptr;
    }
    if (site) site->detach();
    release(site);
    if (sink) sink->detach();
    release(sink);
  }
};

namespace {

BrowserAdapter::Control* controlOf(HWND window) {
  return reinterpret_cast<BrowserAdapter::Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The container window keeps the control covering its client area and passes the focus on to
// the control's own window, so that keys typed afterwards go to the page.
LRESULT CALLBACK containerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  BrowserAdapter::Control* control = controlOf(window);
  switch (message) {
    case WM_SIZE:
      if (control && control->inPlace) {
        RECT client{};
        GetClientRect(window, &client);
        control->inPlace->SetObjectRects(&client, &client);
      }
      return 0;
    case WM_SETFOCUS:
      if (HWND inner = GetWindow(window, GW_CHILD)) SetFocus(inner);
      return 0;
    case WM_NCDESTROY:
      // Destroyed with its parent or by destroyControl: either way controlWindow answers 0 now.
      if (control) control->window = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

BrowserAdapter::BrowserAdapter() : instance_(GetModuleHandleA(nullptr)) {}

BrowserAdapter::~BrowserAdapter() {
  for (auto& entry : controls_) {
    if (entry.second->window) SetWindowLongPtrA(entry.second->window, GWLP_USERDATA, 0);
  }
}

bool BrowserAdapter::registerContainerClass() {
  if (classRegistered_) return true;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = containerProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kContainerClass;
  classRegistered_ = RegisterClassA(&windowClass) != 0;
  return classRegistered_;
}

BrowserAdapter::Control* BrowserAdapter::find(BrowserHandle control) {
  auto found = controls_.find(control);
  return found == controls_.end() ? nullptr : found->second.get();
}

BrowserHandle BrowserAdapter::createBrowserControl(WindowHandle host, const Rect& clientArea,
                                                   BrowserEvents* events) {
  if (!registerContainerClass()) return 0;
  auto control = std::make_unique<Control>();
  control->window = CreateWindowExA(0, kContainerClass, "", WS_CHILD | WS_VISIBLE, clientArea.left,
                                    clientArea.top, clientArea.right - clientArea.left,
                                    clientArea.bottom - clientArea.top, toHwnd(host),
                                    reinterpret_cast<HMENU>(kControlId), instance_, nullptr);
  if (!control->window) return 0;
  SetWindowLongPtrA(control->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control.get()));
  control->site = new OleSite(control->window);
  control->sink = new OleEventSink(events);

  // The site must answer for the container window before the control is given it: the control
  // creates its own window inside the site's window as soon as it knows the site.
  bool made =
      SUCCEEDED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                 reinterpret_cast<void**>(&control->object))) &&
      SUCCEEDED(control->object->SetClientSite(control->site));
  if (made) {
    RECT client{};
    GetClientRect(control->window, &client);
    made = SUCCEEDED(control->object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, control->site, 0,
                                             control->window, &client)) &&
           SUCCEEDED(control->object->QueryInterface(IID_IOleInPlaceObject,
                                                     reinterpret_cast<void**>(&control->inPlace)));
  }
  if (made) {
    IConnectionPointContainer* points = nullptr;
    made = SUCCEEDED(control->object->QueryInterface(IID_IConnectionPointContainer,
                                                     reinterpret_cast<void**>(&points))) &&
           SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &control->connection)) &&
           SUCCEEDED(control->connection->Advise(control->sink, &control->cookie));
    if (!made) release(control->connection);  // not advised: nothing to unadvise
    release(points);
  }
  if (!made) {
    control->tearDown();
    return 0;
  }
  const auto handle = reinterpret_cast<BrowserHandle>(control.get());
  controls_.emplace(handle, std::move(control));
  return handle;
}

bool BrowserAdapter::queryWebBrowser(BrowserHandle handle) {
  Control* control = find(handle);
  if (!control || !control->object) return false;
  release(control->browser);
  return SUCCEEDED(control->object->QueryInterface(IID_IWebBrowser2,
                                                   reinterpret_cast<void**>(&control->browser)));
}

WindowHandle BrowserAdapter::controlWindow(BrowserHandle handle) {
  Control* control = find(handle);
  return control ? fromHwnd(control->window) : 0;
}

void BrowserAdapter::putOffline(BrowserHandle handle, std::int16_t variantBool) {
  Control* control = find(handle);
  if (control && control->browser) control->browser->put_Offline(variantBool);
}

void BrowserAdapter::putSilent(BrowserHandle handle, std::int16_t variantBool) {
  Control* control = find(handle);
  if (control && control->browser) control->browser->put_Silent(variantBool);
}

void BrowserAdapter::execZoom(BrowserHandle handle, std::int32_t level) {
  Control* control = find(handle);
  if (!control || !control->browser) return;
  VARIANT input;
  VariantInit(&input);
  V_VT(&input) = VT_I4;
  V_I4(&input) = level;
  control->browser->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &input, nullptr);
}

void BrowserAdapter::navigate(BrowserHandle handle, const std::string& address) {
  Control* control = find(handle);
  if (!control || !control->browser) return;
  // The address goes over unchanged: the control completes a bare host name itself.
  BSTR url = nullptr;
  const int length = static_cast<int>(address.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, address.data(), length, nullptr, 0);
  url = SysAllocStringLen(nullptr, static_cast<UINT>(needed > 0 ? needed : 0));
  if (!url) return;
  if (needed > 0) MultiByteToWideChar(CP_ACP, 0, address.data(), length, url, needed);

  VARIANT flags;
  VARIANT targetFrame;
  VARIANT postData;
  VARIANT headers;
  VariantInit(&flags);
  VariantInit(&targetFrame);
  VariantInit(&postData);
  VariantInit(&headers);
  V_VT(&flags) = VT_I4;
  V_I4(&flags) = 0;
  V_VT(&targetFrame) = VT_BSTR;
  V_BSTR(&targetFrame) = nullptr;
  V_VT(&headers) = VT_BSTR;
  V_BSTR(&headers) = nullptr;
  control->browser->Navigate(url, &flags, &targetFrame, &postData, &headers);
  SysFreeString(url);
}

void BrowserAdapter::releaseBrowser(BrowserHandle handle) {
  Control* control = find(handle);
  if (control) release(control->browser);
}

void BrowserAdapter::destroyControl(BrowserHandle handle) {
  auto found = controls_.find(handle);
  if (found == controls_.end()) return;
  found->second->tearDown();
  controls_.erase(found);
}

}  // namespace zorvik::win32
