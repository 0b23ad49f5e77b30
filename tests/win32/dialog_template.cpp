// The classic dialog template reader: little-endian WORDs and DWORDs, UTF-16
// strings, the dialog's header then each item on a DWORD boundary.
#include "win32/dialog_template.h"

#include <stdexcept>

namespace platelier::testing {

namespace {

class TemplateReader {
  public:
    TemplateReader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::uint16_t word() {
        need(2);
        const auto value = static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return value;
    }

    std::uint32_t dword() {
        const std::uint32_t low = word();
        const std::uint32_t high = word();
        return low | high << 16;
    }

    std::int16_t coordinate() { return static_cast<std::int16_t>(word()); }

    // A zero-terminated UTF-16 string, converted to Windows-1252.
    std::string string() {
        std::wstring wide;
        for (std::uint16_t unit = word(); unit != 0; unit = word()) {
            wide += static_cast<wchar_t>(unit);
        }
        if (wide.empty()) {
            return std::string();
        }
        const int length = WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()),
                                               nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(length), '\0');
        WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                            length, nullptr, nullptr);
        return text;
    }

    NameOrOrdinal nameOrOrdinal() {
        NameOrOrdinal field;
        need(2);
        if (bytes_[at_] == 0xFF && bytes_[at_ + 1] == 0xFF) {
            word();
            field.isOrdinal = true;
            field.ordinal = word();
        } else {
            field.name = string();
        }
        return field;
    }

    void skip(std::size_t count) {
        need(count);
        at_ += count;
    }

    void alignToDword() { skip((4 - at_ % 4) % 4); }

  private:
    void need(std::size_t count) const {
        if (size_ - at_ < count) {
            throw std::runtime_error("the dialog template ends too early");
        }
    }

    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t at_ = 0;
};

DialogItemTemplate readItem(TemplateReader& reader) {
    DialogItemTemplate item;
    item.style = reader.dword();
    item.extendedStyle = reader.dword();
    item.x = reader.coordinate();
    item.y = reader.coordinate();
    item.cx = reader.coordinate();
    item.cy = reader.coordinate();
    item.id = reader.word();
    item.windowClass = reader.nameOrOrdinal();
    item.text = reader.nameOrOrdinal();
    item.creationDataSize = reader.word();
    reader.skip(item.creationDataSize);
    return item;
}

} // namespace

DialogTemplate parseDialogTemplate(const unsigned char* bytes, std::size_t size) {
    TemplateReader reader(bytes, size);
    DialogTemplate dialog;
    dialog.style = reader.dword();
    if (dialog.style == 0xFFFF0001u) {
        throw std::runtime_error("an extended dialog template (DLGTEMPLATEEX)");
    }
    dialog.extendedStyle = reader.dword();
    const std::uint16_t itemCount = reader.word();
    dialog.x = reader.coordinate();
    dialog.y = reader.coordinate();
    dialog.cx = reader.coordinate();
    dialog.cy = reader.coordinate();
    dialog.menu = reader.nameOrOrdinal();
    dialog.windowClass = reader.nameOrOrdinal();
    dialog.title = reader.string();
    if ((dialog.style & DS_SETFONT) != 0) {
        dialog.pointSize = reader.word();
        dialog.faceName = reader.string();
    }
    for (std::uint16_t i = 0; i < itemCount; ++i) {
        reader.alignToDword();
        dialog.items.push_back(readItem(reader));
    }
    return dialog;
}

DialogTemplate loadDialogTemplate(HMODULE module, int id) {
    const LPCSTR dialogType = MAKEINTRESOURCEA(5); // RT_DIALOG, spelt for the ANSI function
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), dialogType);
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        throw std::runtime_error("no dialog template " + std::to_string(id) + " in the module");
    }
    return parseDialogTemplate(static_cast<const unsigned char*>(bytes),
                               SizeofResource(module, resource));
}

} // namespace platelier::testing
