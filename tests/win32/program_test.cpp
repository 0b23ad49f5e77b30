// Platelier.exe driven from outside its process as a user drives it: a
// fileset opened from the command line by a relative path and through the
// chooser, renamed and saved, the message boxes of a refused file and of a
// failing rename, a drop while a box is up, the About box, and the exit
// code; a fileset in a folder outside the ANSI code page, and a name the
// master cannot hold refused in French whatever that code page. Texts are
// read and written through the wide messages, in UTF-8 here. The program is
// PLATELIER_PROGRAM (the release test sets it).
#include "platform/utf16.h"
#include "resources/resource_ids.h"
#include "rewrite_check.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace platelier {
namespace {

using namespace testing;

std::string text(HWND window) {
    wchar_t buffer[2048] = {};
    SendMessageW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
    return utf8FromUtf16(buffer);
}

bool waitFor(const std::function<bool()>& done) { // up to 20 s
    for (int waited = 0; !done() && waited < 20000; waited += 50) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

// The program, started with `arguments` in the current folder `folder`; its
// windows are found by their titles.
struct Program {
    PROCESS_INFORMATION process{};
    HWND main = nullptr;

    Program(const std::string& arguments, const std::string& folder) {
        const char* program = std::getenv("PLATELIER_PROGRAM");
        std::wstring command =
            utf16FromUtf8("\"" + std::string(program ? program : "(PLATELIER_PROGRAM unset)") +
                          "\" " + arguments);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   utf16FromUtf8(folder).c_str(), &startup, &process));
        main = window("Platelier - Utility to edit/manage links between DCS files");
    }
    ~Program() {
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    HWND window(const char* title) const {
        EXPECT_TRUE(waitFor([&] { return IsWindowVisible(FindWindowA(nullptr, title)) != 0; }))
            << title;
        return FindWindowA(nullptr, title);
    }
    HWND item(int id) const { return GetDlgItem(main, id); }
    void setText(HWND control, const std::string& value) const {
        SendMessageW(control, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(utf16FromUtf8(value).c_str()));
    }
    bool command(WPARAM id) const { // false when a window holds it
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(main, WM_COMMAND, id, 0, SMTO_NORMAL, 5000, &result) != 0;
    }
    void press(HWND dialog, int id) const {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog); }));
    }
    void open(const std::string& path) const {
        PostMessageA(main, WM_COMMAND, IDC_MASTER_BROWSE, 0);
        HWND chooser = window("Ouverture du fichier EPS principal");
        setText(GetDlgItem(chooser, 0x480) ? GetDlgItem(chooser, 0x480)
                                           : GetDlgItem(chooser, 0x47C),
                path);
        press(chooser, IDOK);
    }
    // A drop of `path` on the main dialog: the shell's DROPFILES block (the
    // names' offset, 20, a point and two flags, the second saying the names
    // are wide, then the names) in the program's memory.
    void drop(const std::string& path) const {
        const std::wstring names = utf16FromUtf8(path) + std::wstring(2, L'\0');
        const std::string block = '\x14' + std::string(15, '\0') + '\x01' + std::string(3, '\0') +
                                  std::string(reinterpret_cast<const char*>(names.data()),
                                              names.size() * sizeof(wchar_t));
        void* memory =
            VirtualAllocEx(process.hProcess, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
        WriteProcessMemory(process.hProcess, memory, block.data(), block.size(), nullptr);
        PostMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    }
    std::string shownFileset() const { // master, title, then each channel's name and path
        std::string shown = text(item(IDC_MASTER_PATH)) + "|" + text(item(IDC_TITLE));
        for (int channel = cyan; channel <= black; ++channel) {
            shown += "|" + text(item(IDC_CYAN_NAME + channel)) + "=" +
                     text(item(IDC_CYAN_PATH + channel));
        }
        return shown;
    }
    std::string closeMessage() const { // the text of the message box that is up
        HWND box = window("Talvernes");
        const std::string message = text(GetDlgItem(box, 0xFFFF));
        press(box, IDOK);
        return message;
    }
    DWORD exitCode() const {
        DWORD code = STILL_ACTIVE;
        waitFor(
            [&] { return GetExitCodeProcess(process.hProcess, &code) && code != STILL_ACTIVE; });
        return code;
    }
};

TEST(Program, OpensRenamesAndSavesAFilesetAndTellsWhatFails) {
    TempFolder folder(
        {"MY IMAGE.C=C", "MY IMAGE.M=M", "MY IMAGE.J=J", "MY IMAGÉ.N=N", "PLAIN.EPS=%!PS"});
    // The black plate in Windows-1252, the tests' code page: shown as its file's name.
    const Names found = {"MY IMAGE.C", "MY IMAGE.M", "MY IMAGE.J", "MY IMAGÉ.N"};
    const Names plates = {found[0], found[1], found[2], "MY IMAG\xC9.N"};
    const std::string before = withPreview(
        masterText("\r\n", plateBlock("\r\n", plates[0], plates[1], plates[2], plates[3])));
    const std::string master = folder.write("MY IMAGE.EPS", before);
    std::string shown = master + "|My picture";
    for (const std::string& name : found) {
        shown += "|" + name + "=" + folder.file(name);
    }
    Program program("\"MY IMAGE.EPS\" ignored", folder.folder());
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(program.item(IDC_SAVE_ALL)) != 0; }));
    EXPECT_EQ(program.shownFileset(), shown) << "opened from the command line, made full";
    PostMessageA(program.main, WM_SYSCOMMAND, IDM_ABOUT, 0);
    program.press(program.window("About Platelier..."), IDC_ABOUT_OK);
    program.open(folder.file("PLAIN.EPS"));
    program.drop(master); // reaches the dialog while the message box is up
    EXPECT_EQ(program.closeMessage(), "Ce fichier n'est pas un fichier EPS normal, ou pas le "
                                      "fichier-maître d'un ensemble DCS");
    EXPECT_EQ(text(program.item(IDC_MASTER_PATH)), folder.file("PLAIN.EPS"));
    program.open(master); // the commands act on the master path shown
    EXPECT_EQ(program.shownFileset(), shown) << "opened through the chooser";

    const Names renamed = {"IMAGE-renamed.C", plates[1], plates[2], plates[3]};
    program.setText(program.item(IDC_CYAN_NAME), renamed[0]);
    ASSERT_TRUE(program.command(IDC_RENAME_CHANNELS));
    EXPECT_EQ(rewriteViolation(master, before, renamed, RewriteError::none, {}, 5), "");
    for (int channel = cyan; channel <= yellow; ++channel) {
        program.setText(program.item(IDC_CYAN_NAME + channel),
                        std::string("NEW.") + "CMJ"[channel]);
    }
    ASSERT_TRUE(program.command(IDC_SAVE_ALL));
    EXPECT_EQ(masterValues(master),
              (std::vector<std::string>{"My picture", "NEW.C", "NEW.M", "NEW.J", plates[3]}));
    EXPECT_EQ(readFileBytes(folder.file("NEW.C")) + readFileBytes(folder.file("NEW.M")) +
                  readFileBytes(folder.file("NEW.J")),
              "CMJ");
    EXPECT_EQ(text(program.item(IDC_YELLOW_PATH)), folder.file("NEW.J"));
    program.setText(program.item(IDC_CYAN_NAME), "NEW.M");
    PostMessageA(program.main, WM_COMMAND, IDC_RENAME_FILES, 0);
    EXPECT_EQ(program.closeMessage(), "Impossible de renommer\n" + folder.file("NEW.C") + " en\n" +
                                          folder.file("NEW.M") + ".");
    PostMessageA(program.main, WM_SYSCOMMAND, SC_CLOSE | 3, 0);
    EXPECT_EQ(program.exitCode(), 0u);
}

// Ż is in neither Windows-1252 nor Windows-1251, the code pages this test
// runs under: the folder outside the ANSI code page reaches the program
// whole from its command line, a drop and the chooser, and a name the
// master cannot hold is refused, in French, before anything changes.
TEST(Program, TakesPathsAndSpeaksFrenchOutsideTheCodePage) {
    const std::string in = "Жёлтый Żółty\\";
    TempFolder folder({in + "JOB.C=C", in + "JOB.M=M", in + "JOB.J=J", in + "JOB.N=N"});
    const std::string before =
        masterText("\r\n", plateBlock("\r\n", "JOB.C", "JOB.M", "JOB.J", "JOB.N"));
    const std::string master = folder.write(in + "JOB.EPS", before);
    std::string shown = master + "|My picture";
    for (const char* name : {"JOB.C", "JOB.M", "JOB.J", "JOB.N"}) {
        shown += "|" + std::string(name) + "=" + folder.file(in + name);
    }
    Program program("\"" + master + "\"", folder.folder());
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(program.item(IDC_SAVE_ALL)) != 0; }));
    EXPECT_EQ(program.shownFileset(), shown);
    program.setText(program.item(IDC_CYAN_NAME), "JOB Ż.C");
    PostMessageA(program.main, WM_COMMAND, IDC_SAVE_ALL, 0);
    EXPECT_EQ(program.closeMessage(),
              "Impossible de renommer les couches de\n" + master +
                  " :\nle nom de la couche Cyan contient un caractère qui ne peut pas s'écrire "
                  "dans le fichier-maître.\nLe fichier n'a pas été modifié.\nLes fichiers de "
                  "séparation ont gardé leur nom.");
    EXPECT_EQ(readFileBytes(master), before);
    EXPECT_EQ(readFileBytes(folder.file(in + "JOB.C")), "C");
    program.drop(master); // the same fileset dropped, then chosen, opens again whole
    EXPECT_TRUE(waitFor([&] { return text(program.item(IDC_CYAN_NAME)) == "JOB.C"; }));
    program.setText(program.item(IDC_CYAN_NAME), "");
    program.open(master);
    EXPECT_EQ(program.shownFileset(), shown);
    PostMessageA(program.main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.exitCode(), 0u);
}

} // namespace
} // namespace platelier
