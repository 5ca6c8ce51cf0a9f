// The demonstration dialogs: their templates as lantrel.exe ships them, and the dialog
// classes run on this test's copy of the same resources.
#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/meshdialog.h"
#include "dialogs/slidedialog.h"
#include "res/resource.h"
#include "tests/check.h"
#include "tests/wintest.h"

namespace {

// lantrel.exe next to this test's build directory, loaded for its resources only.
HMODULE LoadProgram() {
    wchar_t path[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring exe(path, length);
    exe = exe.substr(0, exe.find_last_of(L"\\/")) + L"\\..\\app\\lantrel.exe";
    return ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

// One dialog or control, as read from a DLGTEMPLATE: text is the title, or for a control its
// class, then its title ("class:title", the class in capitals whether named or an atom).
struct Item {
    DWORD style, exStyle;
    int id, x, y, cx, cy;
    std::wstring text;
};

const WORD* ReadName(const WORD* p, std::wstring& out) {
    if (*p == 0xFFFF) {  // the predefined classes by atom
        const wchar_t* names[] = {L"BUTTON", L"EDIT", L"STATIC"};
        out += p[1] >= 0x80 && p[1] <= 0x82 ? names[p[1] - 0x80] : std::to_wstring(p[1]);
        return p + 2;
    }
    for (; *p != 0; ++p) out += static_cast<wchar_t>(*p);
    return p + 1;
}

// The dialog first (id 0, text "title|font size|face"), then its controls.
std::vector<Item> ReadTemplate(HMODULE module, int id) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (found == nullptr) return {};
    auto* dlg = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(module, found)));
    std::vector<Item> items(1);
    items[0] = {dlg->style, dlg->dwExtendedStyle, 0, dlg->x, dlg->y, dlg->cx, dlg->cy, L""};
    const WORD* p = reinterpret_cast<const WORD*>(dlg + 1);
    std::wstring none;
    p = ReadName(ReadName(p, none), none);  // menu, class
    p = ReadName(p, items[0].text);
    if (dlg->style & DS_SETFONT) {
        items[0].text += L"|" + std::to_wstring(*p++) + L"|";
        p = ReadName(p, items[0].text);
    }
    CHECK(none.empty());
    for (int i = 0; i < dlg->cdit; ++i) {
        p = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(p) + 3) & ~UINT_PTR{3});
        auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        Item read = {item->style,
                     item->dwExtendedStyle,
                     static_cast<short>(item->id),
                     item->x,
                     item->y,
                     item->cx,
                     item->cy,
                     L""};
        p = ReadName(reinterpret_cast<const WORD*>(item + 1), read.text);
        ::CharUpperW(&read.text[0]);
        read.text += L":";
        p = ReadName(p, read.text);
        p += 1 + *p / sizeof(WORD);  // creation data
        items.push_back(read);
    }
    return items;
}

void CheckItems(const std::vector<Item>& got, const std::vector<Item>& want) {
    CHECK_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size() && i < want.size(); ++i) {
        CHECK_EQ(got[i].style, want[i].style);
        CHECK_EQ(got[i].exStyle, want[i].exStyle);
        CHECK_EQ(got[i].id, want[i].id);
        CHECK(got[i].x == want[i].x && got[i].y == want[i].y);
        CHECK(got[i].cx == want[i].cx && got[i].cy == want[i].cy);
        CHECK(got[i].text == want[i].text);
        if (got[i].text != want[i].text) std::wprintf(L"  got \"%ls\"\n", got[i].text.c_str());
    }
}

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kPicture = kChild | SS_BITMAP | SS_CENTERIMAGE;

}  // namespace

TEST_CASE(ShippedTemplatesAndPicture) {
    HMODULE program = LoadProgram();
    CHECK(program != nullptr);
    if (program == nullptr) return;
    CheckItems(ReadTemplate(program, IDD_SLIDE_DIALOG),
               {{0x40800040, 0, 0, 0, 0, 46, 70, L"|10|System"},
                {kPicture, 0, 150, 0, 0, 46, 70, L"STATIC:DINOSAUR"}});
    const std::vector<Item> mesh = {
        {0x80C800C0, 0, 0, 0, 0, 140, 98, L"Dialog|10|System"},
        {kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, 83, 7, 50, 14, L"BUTTON:OK"},
        {kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, 83, 24, 50, 14, L"BUTTON:Cancel"},
        {kPicture, 0, -1, 7, 7, 71, 84, L"STATIC:DINOSAUR"},
        {kChild | BS_AUTORADIOBUTTON, 0, 1002, 85, 41, 39, 10, L"BUTTON:Radio1"},
        {kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 1003, 85, 50, 40, 10, L"BUTTON:Check1"},
        {kChild | WS_GROUP | SS_LEFT, 0, -1, 85, 61, 19, 8, L"STATIC:Static"},
        {kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 1004, 85, 70, 40, 14, L"EDIT:"}};
    CheckItems(ReadTemplate(program, IDD_MESH_DIALOG), mesh);
    CheckItems(ReadTemplate(program, IDD_MESH_DIALOG_COPY), mesh);

    HRSRC found = ::FindResourceW(program, L"DINOSAUR", RT_BITMAP);
    CHECK(found != nullptr);
    if (found != nullptr) {
        auto* info =
            static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(program, found)));
        CHECK(info->biWidth == 85 && info->biHeight == 150);
        CHECK(info->biBitCount == 8 && info->biCompression == BI_RGB);
        DWORD colours = info->biClrUsed ? info->biClrUsed : 256;
        DWORD pixels = ((85 + 3) & ~3) * 150;
        CHECK_EQ(::SizeofResource(program, found), info->biSize + colours * 4 + pixels);
    }
    ::FreeLibrary(program);
}

namespace {

// Moves off screen (painting through a mesh takes Wine seconds) and closes itself the way
// it is told: 0 OK, 1 Cancel, 2 Escape, 3 the close box.
class ProbeMeshDialog : public CMeshDialog {
public:
    ProbeMeshDialog(CWnd* parent, int way) : CMeshDialog(parent), m_nWay(way) {}
    bool m_bProbeRegion = false;
    int m_nRegionKind = ERROR;  // of the window, when asked to probe (costs Wine seconds)
    bool m_bRegionKept = true;

    BOOL OnInitDialog() override {
        BOOL result = CMeshDialog::OnInitDialog();
        m_bRegionKept = m_rgnMesh.GetSafeHandle() != nullptr;
        RECT box;
        if (m_bProbeRegion) m_nRegionKind = ::GetWindowRgnBox(m_hWnd, &box);
        SetWindowPos(nullptr, -3000, -3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        HWND button = GetDlgItem(m_nWay == 0 ? IDOK : IDCANCEL);
        if (m_nWay < 2) ::PostMessageW(button, BM_CLICK, 0, 0);
        if (m_nWay == 2) PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        if (m_nWay == 3) PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return result;
    }

private:
    int m_nWay;
};

}  // namespace

// The system owns the mesh region: a dialog object that deleted it too would fail here.
TEST_CASE(MeshDialogClosesEveryWayAHundredTimes) {
    wintest::RecordingView owner;
    CHECK(owner.Open(100, 100, 600, 400));
    for (int run = 0; run < 100; ++run) {
        ProbeMeshDialog dialog(&owner, run % 4);
        dialog.m_bProbeRegion = run == 0;
        INT_PTR result = dialog.DoModal();
        CHECK_EQ(result, INT_PTR{run % 4 == 0 ? IDOK : IDCANCEL});
        CHECK(!dialog.m_bRegionKept);  // the window has it
        if (run == 0) CHECK_EQ(dialog.m_nRegionKind, COMPLEXREGION);
        if (result == -1) break;
    }
    CHECK(::IsWindowEnabled(owner.Host()));
}

TEST_CASE(SlideDialogIsAHiddenChildFilledByItsPicture) {
    wintest::RecordingView parent;
    CHECK(parent.Open(100, 100, 600, 400));
    CSlideDialog dialog;
    CHECK(dialog.Create(IDD_SLIDE_DIALOG, &parent));
    CHECK(::GetParent(dialog.m_hWnd) == parent.m_hWnd);
    CHECK(!dialog.IsWindowVisible());
    RECT rect, client, picture;
    POINT origin = {0, 0};  // the template places the client area; the border lies outside
    ::MapWindowPoints(dialog.m_hWnd, parent.m_hWnd, &origin, 1);
    CHECK(origin.x == 0 && origin.y == 0);
    dialog.GetWindowRect(&rect);
    dialog.GetClientRect(&client);
    ::GetWindowRect(dialog.GetDlgItem(IDC_SLIDE_PICTURE), &picture);
    CHECK_EQ(picture.right - picture.left, client.right);
    CHECK_EQ(picture.bottom - picture.top, client.bottom);
    std::printf("  slide dialog %ldx%ld in a %dx%d client\n", rect.right - rect.left,
                rect.bottom - rect.top, 600, 400);
    dialog.DestroyWindow();
    CHECK(dialog.m_hWnd == nullptr);
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
