#pragma once
// The platform's numeric values that the logic passes through the ports. They carry Windows'
// numbers so the Win32 adapter can pass them on unchanged (it static_asserts each against
// <windows.h>); the GTK adapter interprets the few it needs. Names are spelled so that they do
// not collide with the Win32 macros of the same meaning.
#include <cstdint>

namespace zorvik::win {

// Window styles.
inline constexpr std::uint32_t WsOverlapped = 0x00000000;
inline constexpr std::uint32_t WsClipChildren = 0x02000000;
inline constexpr std::uint32_t WsClipSiblings = 0x04000000;
inline constexpr std::uint32_t WsCaption = 0x00C00000;
inline constexpr std::uint32_t WsSysMenu = 0x00080000;
inline constexpr std::uint32_t WsMinimizeBox = 0x00020000;
inline constexpr std::uint32_t WsMaximizeBox = 0x00010000;
inline constexpr std::uint32_t WsThickFrame = 0x00040000;
inline constexpr std::uint32_t WsChild = 0x40000000;
inline constexpr std::uint32_t WsVisible = 0x10000000;
inline constexpr std::uint32_t WsDisabled = 0x08000000;
inline constexpr std::uint32_t WsTabStop = 0x00010000;

// Class styles.
inline constexpr std::uint32_t CsVRedraw = 0x0001;
inline constexpr std::uint32_t CsHRedraw = 0x0002;
inline constexpr std::uint32_t CsDblClks = 0x0008;

// Show commands.
inline constexpr std::int32_t SwHide = 0;
inline constexpr std::int32_t SwShowNormal = 1;
inline constexpr std::int32_t SwShow = 5;
inline constexpr std::int32_t SwShowNa = 8;
inline constexpr std::int32_t SwRestore = 9;

// SetWindowPos flags.
inline constexpr std::uint32_t SwpNoSize = 0x0001;
inline constexpr std::uint32_t SwpNoZOrder = 0x0004;
inline constexpr std::uint32_t SwpNoActivate = 0x0010;

// System metrics.
inline constexpr std::int32_t SmCxScreen = 0;
inline constexpr std::int32_t SmCyScreen = 1;

// Window messages.
inline constexpr std::uint32_t WmNull = 0x0000;
inline constexpr std::uint32_t WmDestroy = 0x0002;
inline constexpr std::uint32_t WmMove = 0x0003;
inline constexpr std::uint32_t WmSize = 0x0005;
inline constexpr std::uint32_t WmActivate = 0x0006;
inline constexpr std::uint32_t WmSetFocus = 0x0007;
inline constexpr std::uint32_t WmKillFocus = 0x0008;
inline constexpr std::uint32_t WmPaint = 0x000F;
inline constexpr std::uint32_t WmClose = 0x0010;
inline constexpr std::uint32_t WmQueryEndSession = 0x0011;
inline constexpr std::uint32_t WmQuit = 0x0012;
inline constexpr std::uint32_t WmSetFont = 0x0030;
inline constexpr std::uint32_t WmContextMenu = 0x007B;
inline constexpr std::uint32_t WmSetIcon = 0x0080;
inline constexpr std::uint32_t WmNcDestroy = 0x0082;
inline constexpr std::uint32_t WmNcLButtonDown = 0x00A1;
inline constexpr std::uint32_t WmKeyDown = 0x0100;
inline constexpr std::uint32_t WmSysKeyDown = 0x0104;
inline constexpr std::uint32_t WmCommand = 0x0111;
inline constexpr std::uint32_t WmSysCommand = 0x0112;
inline constexpr std::uint32_t WmMouseMove = 0x0200;
inline constexpr std::uint32_t WmLButtonDown = 0x0201;
inline constexpr std::uint32_t WmLButtonUp = 0x0202;
inline constexpr std::uint32_t WmLButtonDblClk = 0x0203;
inline constexpr std::uint32_t WmRButtonDown = 0x0204;
inline constexpr std::uint32_t WmRButtonUp = 0x0205;
inline constexpr std::uint32_t WmMButtonUp = 0x0208;
inline constexpr std::uint32_t WmApp = 0x8000;

inline constexpr std::uintptr_t WaInactive = 0;
inline constexpr std::intptr_t HtCaption = 2;
inline constexpr std::uintptr_t IconSmall = 0;
inline constexpr std::uintptr_t IconBig = 1;

// Virtual keys.
inline constexpr std::uint32_t VkTab = 0x09;
inline constexpr std::uint32_t VkShift = 0x10;
inline constexpr std::uint32_t VkControl = 0x11;
inline constexpr std::uint32_t VkMenu = 0x12;
inline constexpr std::uint32_t VkEscape = 0x1B;

// Menus.
inline constexpr std::uint32_t MfString = 0x0000;
inline constexpr std::uint32_t MfGrayed = 0x0001;
inline constexpr std::uint32_t MfChecked = 0x0008;
inline constexpr std::uint32_t MfPopup = 0x0010;
inline constexpr std::uint32_t MfSeparator = 0x0800;
inline constexpr std::uint32_t TpmRightAlign = 0x0008;
inline constexpr std::uint32_t TpmTopAlign = 0x0000;
inline constexpr std::uint32_t TpmLeftButton = 0x0000;

// Message box.
inline constexpr std::uint32_t MbOk = 0x0000;
inline constexpr std::uint32_t MbIconError = 0x0010;

// Tray.
inline constexpr std::uint32_t NimAdd = 0;
inline constexpr std::uint32_t NimModify = 1;
inline constexpr std::uint32_t NimDelete = 2;
inline constexpr std::uint32_t NifMessage = 1;
inline constexpr std::uint32_t NifIcon = 2;
inline constexpr std::uint32_t NifTip = 4;

// Icons and images.
inline constexpr std::uint32_t LrDefaultColor = 0x0000;
inline constexpr std::uint32_t IconResourceVersion = 0x00030000;

// Stock objects.
inline constexpr std::int32_t WhiteBrush = 0;
inline constexpr std::int32_t NullBrush = 5;
inline constexpr std::int32_t DefaultGuiFont = 17;

// Browser component.
inline constexpr std::int16_t VariantTrue = -1;
inline constexpr std::int16_t VariantFalse = 0;
inline constexpr std::uint32_t OlecmdidZoom = 19;
inline constexpr std::uint32_t OlecmdexecoptDontPromptUser = 2;

// URL layer.
inline constexpr std::uint32_t UrlmonOptionUserAgent = 0x10000001;

}  // namespace zorvik::win
