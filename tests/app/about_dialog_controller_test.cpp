// The About box's controller: how it ends, and what it leaves alone.
#include "app/about_dialog_controller.h"

#include "app/dialog_messages.h"
#include "fake_dialog.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

struct AboutCase {
    unsigned message;
    std::uintptr_t wParam;
    bool handled;
    int endResult; // -1: the box stays open
};

const AboutCase aboutCases[] = {
    {messageInitDialog, 0, true, -1},
    {messageCommand, 501, true, 0},
    {messageCommand, 2, true, 0},
    {messageCommand, 501 | 0x10000u, true, 0},
    {messageCommand, 1, false, -1},
    {messageCommand, 500, false, -1},
    {messageSystemCommand, 0xF060, true, 0},
    {messageSystemCommand, 0xF063, true, 0},
    {messageSystemCommand, 0xF010, false, -1},
    {messageSystemCommand, 1024, false, -1},
    {0x0002, 0, false, -1},
};

TEST(AboutDialogController, EndsOnOkEscapeAndClose) {
    for (const AboutCase& c : aboutCases) {
        testing::FakeDialog dialog;
        EXPECT_EQ(handleAboutDialogMessage(dialog, c.message, c.wParam), c.handled)
            << c.message << "/" << c.wParam;
        EXPECT_EQ(dialog.endResult.value_or(-1), c.endResult) << c.message << "/" << c.wParam;
    }
}

} // namespace
} // namespace platelier
