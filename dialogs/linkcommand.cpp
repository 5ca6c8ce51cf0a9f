#include "linkcommand.h"

#include <shellapi.h>

#include <string>

namespace {

bool NeedsEscape(wchar_t c) {
    return c <= L' ' || c == L'"' || c == 0x7F || c >= 0x80;
}

void AppendEscapedUtf8(const wchar_t* units, int count, std::wstring& out) {
    char bytes[8];
    int length =
        ::WideCharToMultiByte(CP_UTF8, 0, units, count, bytes, sizeof(bytes), nullptr, nullptr);
    const wchar_t hex[] = L"0123456789ABCDEF";
    for (int i = 0; i < length; ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        out += L'%';
        out += hex[b >> 4];
        out += hex[b & 15];
    }
}

bool FitsAnsiCodePage(const CString& text) {
    if (::GetACP() == CP_UTF8) return true;  // takes no default-character report
    BOOL lossy = FALSE;
    int length =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &lossy);
    return length > 0 && !lossy;
}

}  // namespace

CString CutPlaceholder(const CString& registered) {
    int cut = registered.Find(L"\"%1\"");
    if (cut < 0) cut = registered.Find(L"%1");
    return cut < 0 ? registered : registered.Left(cut);
}

CString EncodeUrlArgument(const CString& url) {
    const std::wstring& text = url.Str();
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (!NeedsEscape(c)) {
            out += c;
            continue;
        }
        int units =
            IS_HIGH_SURROGATE(c) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]) ? 2 : 1;
        AppendEscapedUtf8(&text[i], units, out);
        i += static_cast<size_t>(units - 1);
    }
    return CString(std::move(out));
}

BOOL ComposeOpenCommand(const CString& registered, const CString& url, CString* commandLine,
                        int* failure) {
    CString program = CutPlaceholder(registered);
    int quotes = 0;
    bool blank = true;
    for (wchar_t c : program.Str()) {
        if (c == L'"') ++quotes;
        if (c != L' ' && c != L'\t') blank = false;
    }
    // A blank command would run the URL itself; an open quotation would swallow the URL into
    // the program's own argument.
    if (blank || quotes % 2 != 0 || !FitsAnsiCodePage(program)) {
        *failure = SE_ERR_ASSOCINCOMPLETE;
        return FALSE;
    }
    CString line = program + L" " + EncodeUrlArgument(url);
    if (line.GetLength() > kOpenCommandCapacity - 1) {
        *failure = SE_ERR_OOM;
        return FALSE;
    }
    *commandLine = line;
    return TRUE;
}
