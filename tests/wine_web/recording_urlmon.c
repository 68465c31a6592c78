/* A stand-in urlmon.dll for the Wine tests. Placed beside zorvik.exe it must be the library the
 * program binds for its user-agent call. UrlMkSetSessionOption records what it was called with in
 * "urlmon-call.txt" beside this DLL: one header line (the option, the length, the reserved word,
 * and whether a zero byte follows the text), then the `length` bytes the program passed, exactly.
 * Built with -DWITHOUT_EXPORT it exports no UrlMkSetSessionOption at all, for the failure case. */
#include <windows.h>

static HMODULE self;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

#ifndef WITHOUT_EXPORT
static void recordPath(char* path, DWORD size) {
  DWORD length = GetModuleFileNameA(self, path, size);
  while (length > 0 && path[length - 1] != '\\') --length;
  lstrcpynA(path + length, "urlmon-call.txt", (int)(size - length));
}

__declspec(dllexport) HRESULT WINAPI
    UrlMkSetSessionOption(DWORD option, LPVOID buffer, DWORD length, DWORD reserved) {
  char path[MAX_PATH];
  char header[160];
  DWORD written = 0;
  HANDLE file;
  recordPath(path, MAX_PATH);
  file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return E_FAIL;
  /* The text is a zero-terminated copy, so the byte after it is readable. */
  wsprintfA(header, "option=0x%08lx length=%lu reserved=%lu terminated=%d\n", (unsigned long)option,
            (unsigned long)length, (unsigned long)reserved,
            buffer ? ((const char*)buffer)[length] == 0 : -1);
  WriteFile(file, header, (DWORD)lstrlenA(header), &written, NULL);
  if (buffer && length) WriteFile(file, buffer, length, &written, NULL);
  CloseHandle(file);
  return S_OK;
}
#else
/* Some export, so that the library is an ordinary DLL that merely lacks the one asked for. */
__declspec(dllexport) HRESULT WINAPI
    UrlMkGetSessionOption(DWORD option, LPVOID buffer, DWORD length, DWORD* needed,
                          DWORD reserved) {
  (void)option, (void)buffer, (void)length, (void)needed, (void)reserved;
  return E_NOTIMPL;
}
#endif
