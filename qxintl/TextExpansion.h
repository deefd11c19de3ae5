// The two kinds of placeholder in the language library: %1..%9 in a text, and "$key" in a
// window or menu text. The rules are described in qxintl/README.md.
#pragma once
#include "qxintl/LanguageFile.h"
#include "qxintl/TextWriter.h"

namespace qx {

enum { MaxFormatArguments = 9 };

// Writes pattern with %1..%9 replaced by arguments[0..argumentCount) and %% by "%".
// Arguments are inserted as they are, never scanned for placeholders themselves.
void FormatText(const char* pattern, const char* const* arguments, int argumentCount, TextWriter& out);

// If text is a "$key" placeholder whose key the file holds, writes its expansion and returns true.
// Otherwise returns false and the caller leaves the text as it stands.
bool ExpandDollarText(const LanguageFile& file, const char* text, TextWriter& out);

}  // namespace qx
