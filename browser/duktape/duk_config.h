// duktape's installed configuration, with C++ exceptions instead of
// setjmp/longjmp for its long control transfers (see CMakeLists.txt). Every
// file that includes duktape.h sees this same configuration.
#pragma once

#ifndef __cplusplus
#error "duktape is built and used as C++ here"
#endif

#include <exception>
#include <stdexcept>

#include "duk_config_installed.h"

#define DUK_USE_CPP_EXCEPTIONS
