/* A small Windows helper the web-view Wine tests run beside zorvik.exe, in the same prefix and
 * display, to read what X11 tools cannot. Prints UTF-8 "key=value" lines; exit code 0 on success,
 * 1 when the thing is not there (within the wait).
 *
 *   web_probe box TITLE SECONDS   waits for a message box titled TITLE; prints its text (the
 *                                 static control 0xFFFF) with \r and \n escaped as \\r \\n
 *   web_probe control             the browser control's window (id 0xE900) inside the browser
 *                                 host (id 100) of the main window (class ZorvikMainWindow), and
 *                                 the component's own window inside it
 */
#include <stdio.h>
#include <windows.h>

static void print_utf8(const wchar_t *text) {
  char buffer[8192];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, NULL, NULL);
  if (n > 0) fputs(buffer, stdout);
}

static int box(const wchar_t *title, int seconds) {
  HWND window = NULL;
  for (int waited = 0; !window && waited <= seconds * 10; ++waited) {
    window = FindWindowW(L"#32770", title);
    if (!window) Sleep(100);
  }
  if (!window) return 1;
  wchar_t text[2048] = {0};
  GetDlgItemTextW(window, 0xFFFF, text, 2048);
  /* Escape the line breaks so the text stays on one line and its \r\n can be compared exactly. */
  wchar_t escaped[4096] = {0};
  int out = 0;
  for (int i = 0; text[i] && out < 4090; ++i) {
    if (text[i] == L'\r' || text[i] == L'\n' || text[i] == L'\\') {
      escaped[out++] = L'\\';
      escaped[out++] = text[i] == L'\r' ? L'r' : text[i] == L'\n' ? L'n' : L'\\';
    } else {
      escaped[out++] = text[i];
    }
  }
  fputs("text=", stdout);
  print_utf8(escaped);
  fputs("\n", stdout);
  return 0;
}

static int control(void) {
  HWND main = FindWindowW(L"ZorvikMainWindow", NULL);
  HWND host = main ? GetDlgItem(main, 100) : NULL;
  HWND pane = host ? GetDlgItem(host, 0xE900) : NULL;
  if (!pane) return 1;
  RECT client, inner;
  GetClientRect(host, &client);
  GetWindowRect(pane, &inner);
  MapWindowPoints(NULL, host, (POINT *)&inner, 2);
  printf("host_client=%ld,%ld,%ld,%ld\n", client.left, client.top, client.right, client.bottom);
  printf("control_rect=%ld,%ld,%ld,%ld\n", inner.left, inner.top, inner.right, inner.bottom);
  printf("control_style=0x%08lx\n", (unsigned long)GetWindowLongW(pane, GWL_STYLE));
  /* The component's own window, which the in-place activation put inside the control's window. */
  HWND embedded = GetWindow(pane, GW_CHILD);
  RECT own = {0, 0, 0, 0};
  if (embedded) {
    GetWindowRect(embedded, &own);
    MapWindowPoints(NULL, pane, (POINT *)&own, 2);
  }
  printf("embedded=%d\n", embedded != NULL);
  printf("embedded_rect=%ld,%ld,%ld,%ld\n", own.left, own.top, own.right, own.bottom);
  return 0;
}

int wmain(int argc, wchar_t **argv) {
  if (argc == 4 && !lstrcmpW(argv[1], L"box")) return box(argv[2], _wtoi(argv[3]));
  if (argc == 2 && !lstrcmpW(argv[1], L"control")) return control();
  fputs("usage: web_probe box TITLE SECONDS | control\n", stderr);
  return 2;
}
