// The language library's exports: opening a language file beside the program, looking up and
// formatting texts, and replacing the "$key" texts of windows and menus.
#include "qxintl/qxintl.h"
#include "qxintl/LanguageFile.h"
#include "qxintl/TextExpansion.h"
#include <stdarg.h>
#include <string.h>
#include <stdlib.h>
#include <new>

namespace {

using qx::LanguageFile;
using qx::TextWriter;

enum { MaxMenuDepth = 16 };  // menus nest two or three deep; the limit only guards against a bad handle graph

const LanguageFile* FileOf(QxHandle handle) { return static_cast<const LanguageFile*>(handle); }

int ClampedSize(int size) { return size < QxTextBufferSize ? size : QxTextBufferSize; }

// "<folder of the executable>\<prefix><language as %03d>.mlb"; false when that does not fit the path.
// Built by hand: snprintf would bring in a formatter larger than the rest of the library.
bool BuildLanguagePath(const char* prefix, WORD language, char (&path)[MAX_PATH]) {
    // The file must lie beside the executable: a prefix naming another folder is refused.
    if (!prefix || strpbrk(prefix, "\\/:")) return false;
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;  // a cut module path names the wrong folder
    size_t folderEnd = 0;
    for (size_t i = 0; i < length; i += qx::CharacterLength(CP_ACP, path + i, length - i))
        if (path[i] == '\\') folderEnd = i + 1;

    char digits[8];  // the number backwards, at least three digits
    size_t digitCount = 0;
    for (unsigned value = language; value != 0 || digitCount < 3; value /= 10)
        digits[digitCount++] = static_cast<char>('0' + value % 10);
    static const char extension[] = ".mlb";
    const size_t prefixLength = strlen(prefix);
    if (folderEnd + prefixLength + digitCount + sizeof extension > MAX_PATH) return false;
    char* out = path + folderEnd;
    memcpy(out, prefix, prefixLength);
    out += prefixLength;
    while (digitCount > 0) *out++ = digits[--digitCount];
    memcpy(out, extension, sizeof extension);
    return true;
}

// Reads the file's first MaxFileBytes + 1 bytes: the extra byte tells the parser the file was longer.
bool ReadLanguageFile(const char* path, qx::GrowableArray<char>& bytes) {
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER fileSize = {};
    bool ok = GetFileSizeEx(file, &fileSize) != FALSE;
    if (ok) {
        const ULONGLONG wanted = static_cast<ULONGLONG>(qx::MaxFileBytes) + 1;
        const ULONGLONG size = static_cast<ULONGLONG>(fileSize.QuadPart);
        ok = bytes.Resize(static_cast<size_t>(size < wanted ? size : wanted));
        size_t done = 0;
        while (ok && done < bytes.Size()) {
            DWORD read = 0;
            ok = ReadFile(file, bytes.Data() + done, static_cast<DWORD>(bytes.Size() - done), &read, nullptr) != FALSE;
            if (read == 0) break;  // the file shrank while we read it
            done += read;
        }
        ok = ok && bytes.Resize(done);
    }
    CloseHandle(file);
    return ok;
}

void LocaliseWindowText(const LanguageFile& file, HWND window) {
    char text[QxTextBufferSize];
    const int length = GetWindowTextA(window, text, QxTextBufferSize);
    if (length <= 0 || length >= QxTextBufferSize - 1) return;  // a text we may not have read whole stays
    char localised[QxTextBufferSize];
    TextWriter out(localised, QxTextBufferSize, file.CodePage());
    if (qx::ExpandDollarText(file, text, out)) SetWindowTextA(window, localised);
}

BOOL CALLBACK LocaliseChildWindow(HWND child, LPARAM file) {
    LocaliseWindowText(*reinterpret_cast<const LanguageFile*>(file), child);
    return TRUE;
}

// Localises one item's text and returns its sub-menu, if any.
HMENU LocaliseMenuItem(const LanguageFile& file, HMENU menu, UINT position) {
    char text[QxTextBufferSize] = "";
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    item.dwTypeData = text;
    item.cch = QxTextBufferSize;
    if (!GetMenuItemInfoA(menu, position, TRUE, &item)) return nullptr;
    if (item.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) return item.hSubMenu;
    if (item.cch >= QxTextBufferSize - 1) return item.hSubMenu;  // a text we may not have read whole stays
    char localised[QxTextBufferSize];
    TextWriter out(localised, QxTextBufferSize, file.CodePage());
    if (qx::ExpandDollarText(file, text, out)) {
        // Only the text changes: id, state (greyed, checked, default) and sub-menu stay as they are.
        MENUITEMINFOA update = {};
        update.cbSize = sizeof update;
        update.fMask = MIIM_STRING;
        update.dwTypeData = localised;
        SetMenuItemInfoA(menu, position, TRUE, &update);
    }
    return item.hSubMenu;
}

void LocaliseMenuItems(const LanguageFile& file, HMENU menu, int depth) {
    if (depth > MaxMenuDepth) return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU subMenu = LocaliseMenuItem(file, menu, static_cast<UINT>(i));
        if (subMenu) LocaliseMenuItems(file, subMenu, depth + 1);
    }
}

}  // namespace

QxHandle WINAPI QxOpen(const char* prefix, WORD language) {
    char path[MAX_PATH];
    if (!BuildLanguagePath(prefix, language, path)) return nullptr;
    qx::GrowableArray<char> bytes;
    if (!ReadLanguageFile(path, bytes)) return nullptr;
    // malloc and placement new: plain new would bring in the exception runtime for bad_alloc.
    void* memory = malloc(sizeof(LanguageFile));
    if (!memory) return nullptr;
    LanguageFile* file = new (memory) LanguageFile;
    if (!file->Load(bytes.Data(), bytes.Size())) {
        QxClose(file);
        return nullptr;
    }
    return file;
}

void WINAPI QxClose(QxHandle handle) {
    if (!handle) return;
    static_cast<LanguageFile*>(handle)->~LanguageFile();
    free(handle);
}

int WINAPI QxGetText(QxHandle handle, const char* key, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    const LanguageFile* file = FileOf(handle);
    TextWriter out(buffer, ClampedSize(size), file ? file->CodePage() : CP_ACP);
    const char* text = file ? file->Find(key) : nullptr;
    if (!text) return 0;
    out.Append(text);
    return 1;
}

int __cdecl QxFormatText(QxHandle handle, char* buffer, int size, const char* key, ...) {
    if (!buffer || size <= 0) return 0;
    const LanguageFile* file = FileOf(handle);
    TextWriter out(buffer, ClampedSize(size), file ? file->CodePage() : CP_ACP);
    const char* pattern = file ? file->Find(key) : nullptr;
    if (!pattern) return 0;
    const char* arguments[qx::MaxFormatArguments];
    int count = 0;
    va_list list;
    va_start(list, key);
    while (count < qx::MaxFormatArguments) {
        const char* argument = va_arg(list, const char*);
        if (!argument) break;
        arguments[count++] = argument;
    }
    va_end(list);
    qx::FormatText(pattern, arguments, count, out);
    return 1;
}

void WINAPI QxLocaliseDialog(QxHandle handle, HWND window) {
    if (!handle || !window || !IsWindow(window)) return;
    LocaliseWindowText(*FileOf(handle), window);
    EnumChildWindows(window, LocaliseChildWindow, reinterpret_cast<LPARAM>(handle));  // every descendant
}

void WINAPI QxLocaliseMenu(QxHandle handle, HMENU menu) {
    if (!handle || !menu || !IsMenu(menu)) return;
    LocaliseMenuItems(*FileOf(handle), menu, 0);
}
