/* A small Windows helper the Wine tests run beside zorvik.exe, in the same prefix and display, to
 * see what X11 tools cannot: another process's current directory, tooltip texts, the rows of an
 * open pop-up menu. Prints UTF-8 lines; exit code 0 on success, 1 when the thing is not there.
 *
 *   probe cwd TITLE     current directory of the process that owns the window titled TITLE
 *   probe tips          text of every tooltip window, one per line
 *   probe menu          rectangle and rows of the open pop-up menu (#32768)
 *   probe taskbar-created   broadcast the tray host's "TaskbarCreated" message
 *   probe tray-forget TITLE  delete the tray icon (id 100) of the window titled TITLE, as a
 *                            tray host that restarts forgets every icon
 */
#include <windows.h>
/* After windows.h, which they build on. */
#include <shellapi.h>
#include <stdio.h>
#include <winternl.h>

static void print_utf8(const wchar_t *text) {
  char buffer[4096];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, NULL, NULL);
  if (n > 0) fputs(buffer, stdout);
}

static int current_directory(const wchar_t *title) {
  HWND window = FindWindowW(NULL, title);
  DWORD pid = 0;
  if (!window || !GetWindowThreadProcessId(window, &pid)) return 1;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return 1;
  PROCESS_BASIC_INFORMATION basic;
  ULONG got = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &got))
    return 1;
  /* PEB.ProcessParameters, then RTL_USER_PROCESS_PARAMETERS.CurrentDirectory.DosPath: four
   * ULONGs, then the console handle, console flags (padded) and the three standard handles. */
  BYTE *params = NULL;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, (BYTE *)basic.PebBaseAddress + 4 * sizeof(void *), &params,
                         sizeof params, &read))
    return 1;
  UNICODE_STRING path;
  const SIZE_T current_directory_offset = 16 + 5 * sizeof(void *);
  if (!ReadProcessMemory(process, params + current_directory_offset, &path, sizeof path, &read))
    return 1;
  wchar_t text[MAX_PATH + 1] = {0};
  SIZE_T length = path.Length < MAX_PATH * 2 ? path.Length : MAX_PATH * 2;
  if (!ReadProcessMemory(process, path.Buffer, text, length, &read)) return 1;
  print_utf8(text);
  fputs("\n", stdout);
  CloseHandle(process);
  return 0;
}

static BOOL CALLBACK print_tip(HWND window, LPARAM found) {
  wchar_t name[64];
  if (GetClassNameW(window, name, 64) && !lstrcmpiW(name, L"tooltips_class32")) {
    wchar_t text[256] = {0};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
    if (text[0]) {
      print_utf8(text);
      fputs("\n", stdout);
      *(int *)found = 1;
    }
  }
  return TRUE;
}

static int tips(void) {
  int found = 0;
  EnumWindows(print_tip, (LPARAM)&found);
  return found ? 0 : 1;
}

static int menu(void) {
  HWND window = FindWindowW(L"#32768", NULL);
  if (!window || !IsWindowVisible(window)) return 1;
  RECT rect;
  GetWindowRect(window, &rect);
  printf("rect %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  HMENU handle = (HMENU)SendMessageW(window, 0x01E1 /* MN_GETHMENU */, 0, 0);
  int count = handle ? GetMenuItemCount(handle) : -1;
  printf("rows %d\n", count);
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {0};
    MENUITEMINFOW info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 128;
    RECT item = {0};
    GetMenuItemRect(NULL, handle, i, &item);
    if (!GetMenuItemInfoW(handle, i, TRUE, &info)) {
      printf("row %d ? ? %ld %ld %ld %ld\n", i, item.left, item.top, item.right, item.bottom);
      continue;
    }
    printf("row %d %u %s %ld %ld %ld %ld ", i, info.wID,
           (info.fType & MFT_SEPARATOR) ? "separator" : "string", item.left, item.top, item.right,
           item.bottom);
    print_utf8(text);
    fputs("\n", stdout);
  }
  return 0;
}

static int tray_forget(const wchar_t *title) {
  HWND window = FindWindowW(NULL, title);
  if (!window) return 1;
  NOTIFYICONDATAW data = {0};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = window;
  data.uID = 100;
  return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
}

int wmain(int argc, wchar_t **argv) {
  if (argc == 3 && !lstrcmpW(argv[1], L"cwd")) return current_directory(argv[2]);
  if (argc == 2 && !lstrcmpW(argv[1], L"tips")) return tips();
  if (argc == 2 && !lstrcmpW(argv[1], L"menu")) return menu();
  if (argc == 2 && !lstrcmpW(argv[1], L"taskbar-created")) {
    return PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0) ? 0 : 1;
  }
  if (argc == 3 && !lstrcmpW(argv[1], L"tray-forget")) return tray_forget(argv[2]);
  fputs("usage: probe cwd TITLE | tips | menu | taskbar-created | tray-forget TITLE\n", stderr);
  return 2;
}
