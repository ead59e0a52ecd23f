// Takes the README's screenshots: starts pastimo.exe in a fresh folder, fills
// a small sample library, and saves each page (and the About box) as a BMP
// into the folder given on the command line. scripts/screenshots.sh runs it.

#include "tests/e2e/Driver.h"
#include "tests/e2e/MyGroupsPage.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool SaveWindow(HWND window, const std::string& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    std::string pixels(stride * height, '\0');
    GetDIBits(memory, bitmap, 0, height, &pixels[0], reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out) {
        std::fwrite(&file, sizeof(file), 1, out);
        std::fwrite(&header, sizeof(header), 1, out);
        std::fwrite(pixels.data(), 1, pixels.size(), out);
        std::fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    std::string out = argv[1];
    if (out.back() != '\\') out += '\\';
    using namespace e2e;
    TempFolder folder;
    Program program(folder.Path());
    if (HWND box = program.WaitForMessageBox()) {
        Sleep(300);
        SaveWindow(box, out + "first-run.bmp");
        Program::PressOk(box);
    }
    program.Sync();
    HWND main = program.MainWindow();

    program.ShowPage(0);
    MyGroupsPage page(program);
    for (const char* group : {"Letters", "Code", "Addresses"}) {
        program.SetText(page.groupName, group);
        program.Click(page.addGroup);
    }
    program.Select(page.groups, 2);  // Letters
    const char* items[][2] = {{"Greeting", "Hello,\r\n\r\nthank you for your message."},
                              {"Signature", "Kind regards,\r\nA. Example"},
                              {"Out of office", "I am away until Monday."},
                              // Text beyond the code page: Polish, Greek, Russian, an arrow, a check mark.
                              {"Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE2\x86\x92 \xE2\x9C\x93",
                               "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 ja\xC5\xBA\xC5\x84\r\n"
                               "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xE2\x80\x94 "
                               "\xD0\x94\xD0\xBE\xD0\xB1\xD1\x80\xD1\x8B\xD0\xB9 \xD0\xB4\xD0\xB5\xD0\xBD\xD1\x8C"}};
    for (auto& item : items) {
        program.SetText(page.itemName, item[0]);
        program.SetText(page.itemText, item[1]);
        program.Click(page.addItem);
    }
    program.Select(page.items, 0);
    Sleep(300);
    SaveWindow(main, out + "my-groups.bmp");

    for (const char* text :
         {"A text copied in another program", "SELECT name FROM groups\r\nORDER BY name;",
          // Greek and Russian, an arrow and a check mark.
          "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xE2\x86\x92 "
          "\xD0\x94\xD0\xBE\xD0\xB1\xD1\x80\xD0\xBE\xD0\xB5 \xD1\x83\xD1\x82\xD1\x80\xD0\xBE \xE2\x9C\x93"}) {
        SetClipboardText(text);
        PumpMessages();
        program.Sync();  // one notice handled before the next copy
    }
    program.ShowPage(1);
    HWND recent = program.Control("ListBox", 431, 80);
    program.Select(recent, 0);
    Sleep(300);
    SaveWindow(main, out + "last-clipboard-entries.bmp");

    program.ShowPage(2);
    Sleep(300);
    SaveWindow(main, out + "help.bmp");

    program.Menu(102);  // About
    HWND about = nullptr;
    WaitUntil([&] { return (about = FindWindowA("TFormAbout", "About")) != nullptr && IsWindowVisible(about); }, 3000);
    if (about) {
        Sleep(300);
        SaveWindow(about, out + "about.bmp");
        PostMessageA(about, WM_CLOSE, 0, 0);
    }
    return 0;
}
