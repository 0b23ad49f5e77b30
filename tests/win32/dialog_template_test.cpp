// The dialog templates as stored in the program: read back from its own
// resources and compared field by field with the dialogs' layout tables.
#include "win32/dialog_layouts.h"
#include "win32/dialog_template.h"

#include <gtest/gtest.h>

#include <sstream>

namespace platelier::testing {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, '\n');) {
        found.push_back(line);
    }
    return found;
}

void expectControl(const DialogItemTemplate& item, const ControlLayout& expected) {
    EXPECT_EQ(item.id, expected.id);
    EXPECT_TRUE(item.windowClass.isOrdinal) << "class given as the name " << item.windowClass.name;
    EXPECT_EQ(item.windowClass.ordinal, static_cast<std::uint16_t>(expected.windowClass));
    EXPECT_EQ(item.style, WS_CHILD | WS_VISIBLE | expected.style)
        << std::hex << "extra bits " << (item.style ^ (WS_CHILD | WS_VISIBLE | expected.style));
    EXPECT_EQ(item.extendedStyle, 0u);
    EXPECT_EQ(item.x, expected.x);
    EXPECT_EQ(item.y, expected.y);
    EXPECT_EQ(item.cx, expected.cx);
    EXPECT_EQ(item.cy, expected.cy);
    EXPECT_EQ(item.creationDataSize, 0u);
    switch (expected.textKind) {
    case TextKind::exact:
        EXPECT_FALSE(item.text.isOrdinal);
        EXPECT_EQ(item.text.name, expected.text);
        break;
    case TextKind::applicationIcon:
        EXPECT_TRUE(item.text.isOrdinal) << "text " << item.text.name;
        EXPECT_EQ(item.text.ordinal, 128u);
        break;
    case TextKind::publisherAddress: {
        EXPECT_FALSE(item.text.isOrdinal);
        const std::vector<std::string> address = lines(item.text.name);
        EXPECT_EQ(address.size(), 7u) << item.text.name;
        for (const std::string& line : address) {
            EXPECT_FALSE(line.empty()) << item.text.name;
        }
        break;
    }
    }
}

void expectDialog(const DialogLayout& expected) {
    const DialogTemplate dialog =
        loadDialogTemplate(GetModuleHandleA(nullptr), expected.templateId);
    EXPECT_EQ(dialog.style, expected.style)
        << std::hex << "extra bits " << (dialog.style ^ expected.style);
    EXPECT_EQ(dialog.extendedStyle, 0u);
    EXPECT_EQ(dialog.x, expected.x);
    EXPECT_EQ(dialog.y, expected.y);
    EXPECT_EQ(dialog.cx, expected.cx);
    EXPECT_EQ(dialog.cy, expected.cy);
    EXPECT_TRUE(!dialog.menu.isOrdinal && dialog.menu.name.empty()) << "the dialog has a menu";
    EXPECT_TRUE(!dialog.windowClass.isOrdinal && dialog.windowClass.name.empty())
        << "the dialog has a class of its own";
    EXPECT_EQ(dialog.title, expected.title);
    EXPECT_EQ(dialog.pointSize, expected.pointSize);
    EXPECT_EQ(dialog.faceName, expected.faceName);
    ASSERT_EQ(dialog.items.size(), expected.controls.size());
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1) + " (ID " +
                     std::to_string(expected.controls[i].id) + ", \"" + expected.controls[i].text +
                     "\")");
        expectControl(dialog.items[i], expected.controls[i]);
    }
}

TEST(DialogTemplate, MainDialog) {
    expectDialog(mainDialogLayout);
}

TEST(DialogTemplate, AboutDialog) {
    expectDialog(aboutDialogLayout);
}

} // namespace
} // namespace platelier::testing
