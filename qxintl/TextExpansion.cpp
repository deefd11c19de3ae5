#include "qxintl/TextExpansion.h"

namespace qx {

// "%" and "$" are ASCII and never the trail byte of a double-byte character, so scanning bytes
// is safe here; the writer keeps characters whole when it has to cut.
void FormatText(const char* pattern, const char* const* arguments, int argumentCount, TextWriter& out) {
    if (!pattern) return;
    const char* run = pattern;  // literal text not yet written
    const char* p = pattern;
    while (*p) {
        if (p[0] == '%' && p[1] == '%') {
            out.Append(run, static_cast<size_t>(p - run) + 1);
            p += 2;
            run = p;
        } else if (p[0] == '%' && p[1] >= '1' && p[1] <= '9' && p[1] - '1' < argumentCount) {
            out.Append(run, static_cast<size_t>(p - run));
            out.Append(arguments[p[1] - '1']);
            p += 2;
            run = p;
        } else {
            ++p;
        }
    }
    out.Append(run, static_cast<size_t>(p - run));
}

static bool IsKeyCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool ExpandDollarText(const LanguageFile& file, const char* text, TextWriter& out) {
    if (!text || text[0] != '$') return false;
    const char* key = text + 1;
    const char* rest = key;
    while (IsKeyCharacter(*rest)) ++rest;
    if (rest == key) return false;
    const char* value = file.Find(key, static_cast<size_t>(rest - key));
    if (!value) return false;
    if (*rest == '$') ++rest;  // "$key$:" ends the key explicitly; the second "$" is not shown
    out.Append(value);
    out.Append(rest);
    return true;
}

}  // namespace qx
