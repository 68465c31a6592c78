/* A stand-in urlmon.dll for the tests, placed beside the program: it records each call of its
 * UrlMkSetSessionOption in the file named by ZORVIK_TEST_URLMON_LOG and installs nothing. Built
 * a second time with WITHOUT_EXPORT, it exports nothing of that name. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#ifndef WITHOUT_EXPORT
__attribute__((visibility("default"))) int32_t UrlMkSetSessionOption(uint32_t option,
                                                                     const char* buffer,
                                                                     uint32_t length,
                                                                     uint32_t reserved) {
  const char* path = getenv("ZORVIK_TEST_URLMON_LOG");
  FILE* log = path ? fopen(path, "a") : NULL;
  if (log == NULL) return 0;
  fprintf(log, "option=0x%08x length=%u reserved=%u text=", option, length, reserved);
  fwrite(buffer, 1, length, log);
  fputc('\n', log);
  fclose(log);
  return 0;
}
#else
__attribute__((visibility("default"))) int32_t SomethingElse(void) { return 0; }
#endif
