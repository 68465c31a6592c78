#pragma once
// Installing the process-wide user agent of the browser component.
#include "app/app_shell.h"

namespace zorvik {

// Installs the text held by `variable` as the user agent of every later request of the process
// (the fallback text when it holds none or the empty text). On return the variable holds the
// installed text, which the caller owns and releases with freeText.
void setSessionUserAgent(AppShell& shell, const char*& variable);

}  // namespace zorvik
