// The logic passes Windows numbers through the ports, and the adapters hand them on unchanged.
// This unit proves at compile time that every number the logic spells is the one <windows.h> uses.
#include <windows.h>
//
#include <docobj.h>
#include <oleauto.h>
#include <shellapi.h>
#include <urlmon.h>

#include "platform/win_values.h"

namespace zorvik::win32 {
namespace {

template <typename Ours, typename Theirs>
constexpr bool same(Ours ours, Theirs theirs) {
  return static_cast<long long>(ours) == static_cast<long long>(theirs);
}

#define ZORVIK_SAME(ours, theirs) static_assert(same(win::ours, theirs), #ours " != " #theirs)

ZORVIK_SAME(WsOverlapped, WS_OVERLAPPED);
ZORVIK_SAME(WsClipChildren, WS_CLIPCHILDREN);
ZORVIK_SAME(WsClipSiblings, WS_CLIPSIBLINGS);
ZORVIK_SAME(WsCaption, WS_CAPTION);
ZORVIK_SAME(WsSysMenu, WS_SYSMENU);
ZORVIK_SAME(WsMinimizeBox, WS_MINIMIZEBOX);
ZORVIK_SAME(WsMaximizeBox, WS_MAXIMIZEBOX);
ZORVIK_SAME(WsThickFrame, WS_THICKFRAME);
ZORVIK_SAME(WsChild, WS_CHILD);
ZORVIK_SAME(WsVisible, WS_VISIBLE);
ZORVIK_SAME(WsDisabled, WS_DISABLED);
ZORVIK_SAME(WsTabStop, WS_TABSTOP);

ZORVIK_SAME(CsVRedraw, CS_VREDRAW);
ZORVIK_SAME(CsHRedraw, CS_HREDRAW);
ZORVIK_SAME(CsDblClks, CS_DBLCLKS);

ZORVIK_SAME(SwHide, SW_HIDE);
ZORVIK_SAME(SwShowNormal, SW_SHOWNORMAL);
ZORVIK_SAME(SwShow, SW_SHOW);
ZORVIK_SAME(SwShowNa, SW_SHOWNA);
ZORVIK_SAME(SwRestore, SW_RESTORE);

ZORVIK_SAME(SwpNoSize, SWP_NOSIZE);
ZORVIK_SAME(SwpNoZOrder, SWP_NOZORDER);
ZORVIK_SAME(SwpNoActivate, SWP_NOACTIVATE);

ZORVIK_SAME(SmCxScreen, SM_CXSCREEN);
ZORVIK_SAME(SmCyScreen, SM_CYSCREEN);

ZORVIK_SAME(WmNull, WM_NULL);
ZORVIK_SAME(WmDestroy, WM_DESTROY);
ZORVIK_SAME(WmMove, WM_MOVE);
ZORVIK_SAME(WmSize, WM_SIZE);
ZORVIK_SAME(WmActivate, WM_ACTIVATE);
ZORVIK_SAME(WmSetFocus, WM_SETFOCUS);
ZORVIK_SAME(WmKillFocus, WM_KILLFOCUS);
ZORVIK_SAME(WmPaint, WM_PAINT);
ZORVIK_SAME(WmClose, WM_CLOSE);
ZORVIK_SAME(WmQueryEndSession, WM_QUERYENDSESSION);
ZORVIK_SAME(WmQuit, WM_QUIT);
ZORVIK_SAME(WmSetFont, WM_SETFONT);
ZORVIK_SAME(WmContextMenu, WM_CONTEXTMENU);
ZORVIK_SAME(WmSetIcon, WM_SETICON);
ZORVIK_SAME(WmNcDestroy, WM_NCDESTROY);
ZORVIK_SAME(WmNcLButtonDown, WM_NCLBUTTONDOWN);
ZORVIK_SAME(WmKeyDown, WM_KEYDOWN);
ZORVIK_SAME(WmSysKeyDown, WM_SYSKEYDOWN);
ZORVIK_SAME(WmCommand, WM_COMMAND);
ZORVIK_SAME(WmSysCommand, WM_SYSCOMMAND);
ZORVIK_SAME(WmMouseMove, WM_MOUSEMOVE);
ZORVIK_SAME(WmLButtonDown, WM_LBUTTONDOWN);
ZORVIK_SAME(WmLButtonUp, WM_LBUTTONUP);
ZORVIK_SAME(WmLButtonDblClk, WM_LBUTTONDBLCLK);
ZORVIK_SAME(WmRButtonDown, WM_RBUTTONDOWN);
ZORVIK_SAME(WmRButtonUp, WM_RBUTTONUP);
ZORVIK_SAME(WmMButtonUp, WM_MBUTTONUP);
ZORVIK_SAME(WmApp, WM_APP);

ZORVIK_SAME(WaInactive, WA_INACTIVE);
ZORVIK_SAME(HtCaption, HTCAPTION);
ZORVIK_SAME(IconSmall, ICON_SMALL);
ZORVIK_SAME(IconBig, ICON_BIG);

ZORVIK_SAME(VkTab, VK_TAB);
ZORVIK_SAME(VkShift, VK_SHIFT);
ZORVIK_SAME(VkControl, VK_CONTROL);
ZORVIK_SAME(VkMenu, VK_MENU);
ZORVIK_SAME(VkEscape, VK_ESCAPE);

ZORVIK_SAME(MfString, MF_STRING);
ZORVIK_SAME(MfGrayed, MF_GRAYED);
ZORVIK_SAME(MfChecked, MF_CHECKED);
ZORVIK_SAME(MfPopup, MF_POPUP);
ZORVIK_SAME(MfSeparator, MF_SEPARATOR);
ZORVIK_SAME(TpmRightAlign, TPM_RIGHTALIGN);
ZORVIK_SAME(TpmTopAlign, TPM_TOPALIGN);
ZORVIK_SAME(TpmLeftButton, TPM_LEFTBUTTON);

ZORVIK_SAME(MbOk, MB_OK);
ZORVIK_SAME(MbIconError, MB_ICONERROR);

ZORVIK_SAME(NimAdd, NIM_ADD);
ZORVIK_SAME(NimModify, NIM_MODIFY);
ZORVIK_SAME(NimDelete, NIM_DELETE);
ZORVIK_SAME(NifMessage, NIF_MESSAGE);
ZORVIK_SAME(NifIcon, NIF_ICON);
ZORVIK_SAME(NifTip, NIF_TIP);

ZORVIK_SAME(LrDefaultColor, LR_DEFAULTCOLOR);
// CreateIconFromResource(Ex)'s format version has no macro; 0x30000 is the documented value.
static_assert(win::IconResourceVersion == 0x00030000);

ZORVIK_SAME(WhiteBrush, WHITE_BRUSH);
ZORVIK_SAME(NullBrush, NULL_BRUSH);
ZORVIK_SAME(DefaultGuiFont, DEFAULT_GUI_FONT);

ZORVIK_SAME(VariantTrue, VARIANT_TRUE);
ZORVIK_SAME(VariantFalse, VARIANT_FALSE);
ZORVIK_SAME(OlecmdidZoom, OLECMDID_ZOOM);
ZORVIK_SAME(OlecmdexecoptDontPromptUser, OLECMDEXECOPT_DONTPROMPTUSER);

ZORVIK_SAME(UrlmonOptionUserAgent, URLMON_OPTION_USERAGENT);

#undef ZORVIK_SAME

}  // namespace
}  // namespace zorvik::win32
