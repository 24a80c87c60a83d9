// Helpers the emulated VARIANT functions share. Not part of the API.
#pragma once

#include "emulation/oleauto.h"

namespace emulation {

// A type a variant holds by value and the emulation knows (no arrays,
// records or references).
bool isPlainVariantType(VARTYPE type);

// S_OK for a type a variant may hold, DISP_E_BADVARTYPE otherwise.
HRESULT checkVariantType(VARTYPE type);

// Copies `source`, which holds a plain value, into `destination` without
// looking at what the destination held: a new BSTR, one more reference on
// an interface.
HRESULT copyPlainValue(VARIANT* destination, const VARIANT& source);

// The value a by-reference variant points at, as a plain variant that does
// not own it (no copy of the BSTR, no reference taken). False when the
// reference is null or of a type that cannot be read.
bool dereference(const VARIANT& reference, VARIANT* value);

}  // namespace emulation
